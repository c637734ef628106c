#pragma once
// vornelle-db converts tables' text with the platform's code pages (platform/text_codec.h),
// which the calendar shares; the names stand here for the tool's files.

#include "platform/text_codec.h"

namespace vornelle::tools {

using platform::CodePage;
using platform::CodePageByName;
using platform::CodePageOfDriver;
using platform::Cp1252;
using platform::Cp437;
using platform::DriverOfCodePage;
using platform::IsUtf8;
using platform::KnownCodePageNames;
using platform::TextCodec;

}  // namespace vornelle::tools
