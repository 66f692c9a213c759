#include "calib/calib_text.h"

#include "frame/text.h"

namespace quon::calib {

ValueLines::ValueLines(const char* text, UINT32 length) {
    CQuonCommonClass splitter;
    splitter.SplitTrimmed(quon::TextOfLength(text, length), '\n', m_lines);
}

const std::string& ValueLines::Next() {
    static const std::string kNoLine;
    if (m_next >= m_lines.size()) return kNoLine;
    return m_lines[m_next++];
}

INT32 ValueLines::Int() { return quon::Stoi(Next()); }

INT32 ValueLines::Long() { return quon::Stol(Next()); }

float ValueLines::Float() { return quon::Stof(Next()); }

double ValueLines::Double() { return quon::Stod(Next()); }


}  // namespace quon::calib
