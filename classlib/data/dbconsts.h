// The data-set layer's error texts (the platform's English messages) and the
// helpers that raise them.
#pragma once
#include <initializer_list>

#include "classlib/system/ansistring.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/format.h"

class TComponent;

namespace dbconsts {
inline constexpr const char* SFieldNotFound = "Field '%s' not found";
inline constexpr const char* SNotEditing = "Dataset not in edit or insert mode";
inline constexpr const char* SDataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* SDataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* SDataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr const char* SDataSetReadOnly = "Cannot modify a read-only dataset";
inline constexpr const char* SFieldReadOnly = "Field '%s' cannot be modified";
inline constexpr const char* SFieldRequired = "Field '%s' must have a value";
inline constexpr const char* SFieldAccessError = "Cannot access field '%s' as type %s";
inline constexpr const char* SFieldRangeError = "%s is not a valid value for field '%s'. The allowed range is %s to %s";
inline constexpr const char* SInvalidBoolValue = "'%s' is not a valid boolean value for field '%s'";
inline constexpr const char* SRecordNotFound = "Record not found";
inline constexpr const char* SBookmarkNotFound = "Bookmark not found";
inline constexpr const char* SDuplicateFieldName = "Duplicate field name '%s'";
inline constexpr const char* SFieldIndexError = "Field index out of range";
inline constexpr const char* SDataSetMissing = "Field '%s' has no dataset";
inline constexpr const char* SParameterNotFound = "Parameter '%s' not found";
inline constexpr const char* SInvalidFieldSize = "Invalid field size";
inline constexpr const char* SFieldTypeNotSupported = "Field '%s' is of an unsupported type";
inline constexpr const char* SNoFieldDefs = "No fields defined: cannot create the dataset";
inline constexpr const char* SRecordSizeMismatch = "Record data of %d bytes does not match the record size of %d bytes";
inline constexpr const char* SNoHostData =
    "Cannot open %s: there is no database engine and the program supplied no data for it";
inline constexpr const char* SFilterSyntax = "Invalid filter expression: %s";
inline constexpr const char* STextTrue = "True";
inline constexpr const char* STextFalse = "False";
}  // namespace dbconsts

// Raises EDatabaseError; the component's name, when it has one, goes first
// ("RxBarkod: Field 'X' not found").
[[noreturn]] void DatabaseError(const AnsiString& message, const TComponent* component = nullptr);
[[noreturn]] void DatabaseErrorFmt(const char* format, std::initializer_list<TVarRec> args,
                                   const TComponent* component = nullptr);
