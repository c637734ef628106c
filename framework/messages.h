#pragma once
// The texts of the framework's database errors.

namespace vornelle::framework::msg {

inline constexpr const char* kNotEditing = "Dataset not in edit or insert mode";
inline constexpr const char* kFieldReadOnly = "Field '%s' cannot be modified";
inline constexpr const char* kDataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* kDataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* kDataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr const char* kDataSetReadOnly = "Cannot modify a read-only dataset";
inline constexpr const char* kFieldNotFound = "Field '%s' not found";
inline constexpr const char* kDuplicateFieldName = "Duplicate field name '%s'";
inline constexpr const char* kFieldRequired = "Field '%s' must have a value";
inline constexpr const char* kFieldTypeMismatch = "Type mismatch for field '%s', expecting: %s actual: %s";
inline constexpr const char* kFieldNoDataSet = "Field '%s' has no dataset";
inline constexpr const char* kInvalidFieldSize = "Invalid field size";
inline constexpr const char* kInvalidConversion = "Field '%s' cannot be read or written as %s";
inline constexpr const char* kInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* kInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* kInvalidBoolean = "'%s' is not a valid boolean value for field '%s'";
inline constexpr const char* kIntegerRange = "%s is not a valid value for field '%s'";
inline constexpr const char* kRecordNotFound = "Record not found";
inline constexpr const char* kNotSupported = "Operation not supported";
inline constexpr const char* kBlobNotSupported = "Blob fields are not supported by this dataset";
inline constexpr const char* kCircularLink = "Circular datalinks are not allowed";
inline constexpr const char* kKeyValueCount = "The number of key values does not match the key fields";

}  // namespace vornelle::framework::msg
