// Text and number conventions shared by every reader and writer.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

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

// Lenient conversions: skip leading white space, read the longest numeric
// prefix, never fail. Integers are 32-bit and saturate on overflow.
INT32 Atoi(const char* text);
INT32 Atol(const char* text);
double Atof(const char* text);
inline INT32 Atoi(const std::string& text) { return Atoi(text.c_str()); }
inline INT32 Atol(const std::string& text) { return Atol(text.c_str()); }
inline double Atof(const std::string& text) { return Atof(text.c_str()); }

// Checking conversions: throw std::invalid_argument ("invalid stoi argument",
// ...) when nothing converts and std::out_of_range ("stoi argument out of
// range", ...) when the value does not fit. stol is 32-bit. Trailing
// characters are ignored; *index, when given, receives the count consumed.
int Stoi(const std::string& text, std::size_t* index = nullptr, int base = 10);
INT32 Stol(const std::string& text, std::size_t* index = nullptr, int base = 10);
float Stof(const std::string& text, std::size_t* index = nullptr);
double Stod(const std::string& text, std::size_t* index = nullptr);

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

// Print-in-place: zero-fills the whole capacity, then prints line after line
// straight into the buffer. Never writes past capacity: a line that does not
// fit with its terminator is not printed and Fits() turns false.
class InPlacePrinter {
public:
    InPlacePrinter(char* buffer, UINT32 capacity);

    void Print(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    bool Fits() const { return m_fits; }
    UINT32 Length() const { return static_cast<UINT32>(m_length); }

private:
    char* m_buffer;
    std::size_t m_capacity;
    std::size_t m_length = 0;
    bool m_fits = true;
};

}  // namespace quon
