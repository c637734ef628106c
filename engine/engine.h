#pragma once
// The record engine: dBASE tables in 33 work areas, addressed by procedures named after the
// dBASE commands. Every routine acts on the current work area and reports failures through
// the error routine (errors.h).

#include "engine/errors.h"
#include "engine/filter.h"
#include "engine/locate.h"
#include "engine/memo.h"
#include "engine/navigation.h"
#include "engine/state.h"
#include "engine/table.h"
#include "engine/typed_buffer.h"
#include "engine/update.h"
