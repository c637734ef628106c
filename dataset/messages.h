#pragma once
// The texts the table dataset component shows and raises.

namespace vornelle::dataset::msg {

inline constexpr const char* kDatasetError = "Dataset error: ";
inline constexpr const char* kMissingFileName = "Missing DbfFilename property";
inline constexpr const char* kNotOpen = "Database is not open";
inline constexpr const char* kFieldsUndefined = ".DbfFields undefined. Set Active to TRUE";
inline constexpr const char* kMustBeActive = "DataSet must be active. ";
inline constexpr const char* kCouldNotCreate = "Could not create \"%s\"";
inline constexpr const char* kNoFieldList = "FieldList.Count is <= 0 trying to create a database";
inline constexpr const char* kFieldCorrected =
    "Invalid field definition for %s: %s,%s,%d,%d. Will use corrected definition: %s,%s,%d,%d";
inline constexpr const char* kLockFailed = "Lock failed [%s]";
inline constexpr const char* kInvalidDate = "        Invalid date       ";
inline constexpr const char* kFieldNotInTable = "Field \"%s\" not in \"%s\"";
inline constexpr const char* kFieldTypeExpected =
    "\"%s()\" expects field \"%s\" to be of type:\r\n\"%s\".\"%s\" actually is: \"%s\"";

}  // namespace vornelle::dataset::msg
