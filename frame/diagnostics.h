// What a reader skipped or filled in, told to whoever listens.
//
// The readers note, at the points where they skip a line, a section or a
// field, or fill a value in for one the text does not give, what they did
// and where in their text. A listener is installed per thread; the module
// never installs one, so there every note costs one test of a null pointer,
// at points that a well-formed text does not reach (or once per load). The
// command-line host's `check` mode links the readers in and listens.
//
// Places are pointers into the text the reader was given (the caller's
// bytes), or EndOfText(); the listener turns them into line numbers. A null
// place has no line.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>

namespace quon {

class ReadListener {
public:
    virtual ~ReadListener() = default;

    // Something the reader skipped or defaulted, at a place of its text.
    virtual void Note(const char* at, std::string message) = 0;
    // Where the exception about to leave the reader arose: the field that
    // did not convert, or the JSON value being read.
    virtual void Place(const char* at) = 0;

    // The places of the values of the JSON documents parsed while listening,
    // by the address of the value (kept by the JSON layer).
    std::unordered_map<const void*, const char*> valuePlaces;
};

namespace detail {
extern thread_local constinit ReadListener* t_listener;
extern const char kEndOfText[1];
std::string Join(std::initializer_list<std::string_view> parts);
inline std::string_view Part(std::string_view text) { return text; }
inline std::string_view Part(const char* text) { return text; }
inline std::string_view Part(const std::string& text) { return text; }
template <class T>
    requires std::is_arithmetic_v<T>
std::string Part(T value) {
    return std::to_string(value);
}
}  // namespace detail

// The listener of the calling thread, or null.
inline ReadListener* Listener() { return detail::t_listener; }

// A place that stands for the end of the text, for a reader that no longer
// holds it (a listener maps it to the text's last line).
inline const char* EndOfText() { return detail::kEndOfText; }

// Installs a listener for the calling thread while it lives.
class Listening {
public:
    explicit Listening(ReadListener& listener) : m_previous(detail::t_listener) { detail::t_listener = &listener; }
    ~Listening() { detail::t_listener = m_previous; }
    Listening(const Listening&) = delete;
    Listening& operator=(const Listening&) = delete;

private:
    ReadListener* m_previous;
};

namespace detail {
// Out of line, so that a reader's loop keeps only the test of the listener.
template <class... Parts>
[[gnu::cold, gnu::noinline]] void NoteTo(ReadListener& listener, const char* at, const Parts&... parts) {
    listener.Note(at, Join({std::string_view(Part(parts))...}));
}
}  // namespace detail

// Notes the message, its parts (texts and numbers) run together, at a place
// of the text, when a listener is installed; the message is built only then.
template <class... Parts>
void Report(const char* at, const Parts&... parts) {
    if (ReadListener* listener = Listener()) [[unlikely]] detail::NoteTo(*listener, at, parts...);
}

// The place of a field whose conversion is about to throw.
inline void PlaceException(const char* at) {
    if (ReadListener* listener = Listener()) [[unlikely]] listener->Place(at);
}

// A piece of text as a message shows it: quoted, control bytes escaped, and
// cut after 40 bytes.
std::string Quoted(std::string_view piece);

// Notes "text after <what> is not read" at the first byte of rest that is not
// white space (nothing when rest is blank).
void ReportTextAfter(std::string_view rest, std::string_view what);

}  // namespace quon
