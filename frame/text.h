// Text and number conventions shared by every reader and writer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "frame/format.h"   // printing: Print, Append, TextBuffer, InPlacePrinter
#include "frame/numbers.h"  // reading: Atoi ... Stod, Scan
#include "quon/platform_types.h"

// Cuts text at every delimiter, like repeated std::getline: an empty text
// gives no field, two delimiters in a row give an empty field, a delimiter at
// the very end gives no empty last field. Nothing is trimmed. Appends to
// tokens; always S_OK.
HRESULT Split(std::string text, char delimiter, std::vector<std::string>& tokens);

class CQuonCommonClass {
public:
    virtual ~CQuonCommonClass() = default;

    // Cuts text like Split, strips every trailing then every leading 'H' from
    // each field and appends only the fields left non-empty. Always S_OK.
    HRESULT SplitTrimmed(std::string text, char delimiter, std::vector<std::string>& tokens);
};

namespace quon {

// The text a reader works on: exactly length bytes (NULs included).
std::string TextOfLength(const char* text, UINT32 length);
// The text a reader works on when it stops at the first NUL within length.
std::string TextUpToNul(const char* text, UINT32 length);

// Appends one printf-formatted line. Lines are printed into a 2048-byte
// scratch line; a longer line is printed whole rather than cut.
void AppendFormat(std::string& out, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Copy-out: when text fits in capacity, copies its bytes (no NUL), sets
// *written and returns status; otherwise returns E_FAIL and touches nothing.
// A null buffer or written pointer gives E_POINTER.
HRESULT CopyOut(std::string_view text, char* buffer, UINT32 capacity, UINT32* written, HRESULT status = S_OK);

}  // namespace quon
