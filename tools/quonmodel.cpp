// quonmodel: loads the QuonCoreModel module by file name, as a host does, and
// reads text files into model objects: to write them back and compare
// (roundtrip), to print or compare their records as JSON (dump, diff), to
// write a text from such records (build), or to draw what they hold (render). `quonmodel --help` lists
// the modes.
//
// check is the one mode that does not load the module: the module lets no
// host listen to its readers, so quonmodel carries the same readers, built
// from the same sources, and listens to them while they read.
#include <algorithm>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "QuonCoreModel.h"
#include "figures.h"
#include "frame/diagnostics.h"
#include "frame/factory.h"
#include "model_classes.h"
#include "quon/Module.h"
#include "records.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

struct Options {
    fs::path module;
    std::string out;                // roundtrip, build: the text; dump: the JSON; render: the picture
    std::vector<std::string> args;  // CLASS FILE...
};

// Where the module lies: beside quonmodel (a build tree, a Windows
// installation), else in ../lib (a Linux installation).
fs::path DefaultModule(const char* argv0) {
    fs::path self = argv0;
#ifdef _WIN32
    wchar_t path[32768];
    const DWORD n = GetModuleFileNameW(nullptr, path, 32768);
    if (n > 0 && n < 32768) self = fs::path(std::wstring(path, n));
#else
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n > 0) self = std::string(path, static_cast<std::size_t>(n));
#endif
    const fs::path beside = self.parent_path() / quon::ModuleFileName;
    const fs::path installed = self.parent_path().parent_path() / "lib" / quon::ModuleFileName;
    return fs::exists(beside) || !fs::exists(installed) ? beside : installed;
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

const ModelClass& FindClass(const std::string& name) {
    const ModelClass* cls = FindModelClass(name);
    if (cls == nullptr) throw quon::Error(E_INVALIDARG, "unknown class " + name + " (see quonmodel list)");
    return *cls;
}

// A fresh object of the class (its own interface, seen as IUnknown) with the
// file's text read into it; the text is left in `text`.
records::Object LoadObject(const quon::Module& module, const ModelClass& cls, const std::string& path,
                               std::string& text) {
    if (!ReadFile(path, text)) throw quon::Error(E_INVALIDARG, "cannot read " + path);
    return records::LoadText(module, cls, text);
}

// Writes text to the file, or to standard output when the path is empty.
void WriteOut(const std::string& path, const std::string& text) {
    if (path.empty()) {
        std::cout << text;
        return;
    }
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) throw quon::Error(E_FAIL, "cannot write " + path);
}

// Reads one file into a fresh object and writes it back. Returns 0 when the
// output equals the input, 1 when it differs.
int RoundTripFile(const quon::Module& module, const ModelClass& cls, const std::string& path,
                  const std::string& outPath) {
    std::string input;
    const records::Object object = LoadObject(module, cls, path, input);
    const std::string output = records::SaveText(cls, object.get(), input.size());
    if (!outPath.empty()) std::ofstream(outPath, std::ios::binary) << output;
    if (output == input) {
        std::cout << path << ": " << cls.name << ", " << output.size() << " bytes, round trip identical\n";
        return 0;
    }
    std::size_t at = 0;
    while (at < input.size() && at < output.size() && input[at] == output[at]) ++at;
    std::cout << path << ": " << cls.name << ", round trip differs at byte " << at << " (read " << input.size()
              << " bytes, wrote " << output.size() << ")\n";
    return 1;
}

int RoundTrip(const quon::Module* module, const Options& o) {
    if (o.args.size() < 2) throw quon::Error(E_INVALIDARG, "roundtrip needs CLASS FILE...");
    const ModelClass& cls = FindClass(o.args[0]);
    int worst = 0;
    for (std::size_t i = 1; i < o.args.size(); ++i) {
        int result = 2;
        try {
            result = RoundTripFile(*module, cls, o.args[i], o.args.size() == 2 ? o.out : std::string());
        } catch (const quon::Error& e) {
            std::cerr << "quonmodel: " << o.args[i] << ": " << e.what() << "\n";
        }
        worst = std::max(worst, result);
    }
    return worst;
}

std::string RenderableClasses() {
    std::string names;
    for (const ModelClass& c : ModelClasses()) {
        if (FigureOf(c) != nullptr) names += (names.empty() ? "" : ", ") + std::string(c.name);
    }
    return names;
}

int Render(const quon::Module* module, const Options& o) {
    if (o.args.size() != 2 || o.out.empty()) throw quon::Error(E_INVALIDARG, "render needs CLASS FILE -o OUT.svg");
    const ModelClass& cls = FindClass(o.args[0]);
    const FigureFunction draw = FigureOf(cls);
    if (draw == nullptr) {
        throw quon::Error(E_INVALIDARG, std::string(cls.name) + " holds no grids or curves to draw; render draws " +
                                            RenderableClasses());
    }
    std::string text;
    const records::Object object = LoadObject(*module, cls, o.args[1], text);
    Figure figure = draw(object.get());
    figure.title = std::string(cls.name) + ": " + fs::path(o.args[1]).filename().string();
    std::ofstream out(o.out, std::ios::binary);
    out << ToSvg(figure);
    if (!out.flush()) throw quon::Error(E_FAIL, "cannot write " + o.out);
    std::cout << o.args[1] << ": " << cls.name << ", drawn to " << o.out << "\n";
    return 0;
}

// The object's records as JSON, to the output file or standard output.
int Dump(const quon::Module* module, const Options& o) {
    if (o.args.size() != 2) throw quon::Error(E_INVALIDARG, "dump needs CLASS FILE [-o OUT.json]");
    const ModelClass& cls = FindClass(o.args[0]);
    std::string text;
    WriteOut(o.out, records::ToJson(cls, LoadObject(*module, cls, o.args[1], text)));
    return 0;
}

// The class's text form of the records in a JSON file.
int Build(const quon::Module* module, const Options& o) {
    if (o.args.size() != 2) throw quon::Error(E_INVALIDARG, "build needs CLASS IN.json -o FILE");
    const ModelClass& cls = FindClass(o.args[0]);
    std::string json;
    if (!ReadFile(o.args[1], json)) throw quon::Error(E_INVALIDARG, "cannot read " + o.args[1]);
    const records::Object object = records::Build(*module, cls, json);
    WriteOut(o.out, records::SaveText(cls, object.get(), json.size() / 4));
    return 0;
}

// One line per value whose records differ between two files of the class:
// JSON path, value in A, value in B (tab-separated).
int Diff(const quon::Module* module, const Options& o) {
    if (o.args.size() != 3) throw quon::Error(E_INVALIDARG, "diff needs CLASS A B");
    const ModelClass& cls = FindClass(o.args[0]);
    std::string textA, textB;
    const std::string a = records::ToJson(cls, LoadObject(*module, cls, o.args[1], textA));
    const std::string b = records::ToJson(cls, LoadObject(*module, cls, o.args[2], textB));
    const std::vector<records::Difference> differences = records::Diff(a, b);
    for (const records::Difference& d : differences) std::cout << d.path << "\t" << d.a << "\t" << d.b << "\n";
    return differences.empty() ? 0 : 1;
}

// What the readers note about one text, each with the line of its place.
class CheckListener final : public quon::ReadListener {
public:
    explicit CheckListener(std::string_view text) : m_text(text) {}

    void Note(const char* at, std::string message) override { Keep(LineOf(at), std::move(message)); }
    void Place(const char* at) override { m_place = at; }

    // An exception that left the reader, at the last place noted.
    void Exception(const char* what) {
        const bool atEnd = m_place == m_text.data() + m_text.size() || m_place == quon::EndOfText();
        Keep(LineOf(m_place), std::string(what) + (atEnd ? " (the text ends before this value)" : ""));
    }

    // The notes in line order (those without a line last), as FILE:LINE: lines.
    std::vector<std::string> Lines(const std::string& path) {
        std::stable_sort(m_notes.begin(), m_notes.end(), [](const auto& a, const auto& b) {
            return (a.first == 0 ? SIZE_MAX : a.first) < (b.first == 0 ? SIZE_MAX : b.first);
        });
        std::vector<std::string> lines;
        for (const auto& [line, message] : m_notes) {
            lines.push_back(path + (line != 0 ? ":" + std::to_string(line) : std::string()) + ": " + message);
        }
        if (m_dropped != 0) lines.push_back(path + ": " + std::to_string(m_dropped) + " more notes not shown");
        return lines;
    }

private:
    // A hostile text may hold a note on every line: the first kMaxNotes are
    // kept, the others only counted.
    static constexpr std::size_t kMaxNotes = 10000;

    void Keep(std::size_t line, std::string message) {
        if (m_notes.size() < kMaxNotes) {
            m_notes.emplace_back(line, std::move(message));
        } else {
            ++m_dropped;
        }
    }

    // 1 + the line ends before at; 0 for no place or one outside the text.
    // The end of a text whose last line ends in "\n" is on that last line.
    // Readers note mostly in text order, so counting goes on from the last
    // place asked for.
    std::size_t LineOf(const char* at) {
        const std::less_equal<const char*> before;
        const char* begin = m_text.data();
        const char* end = begin + m_text.size();
        if (at == quon::EndOfText()) at = end;
        if (at == nullptr || !before(begin, at) || !before(at, end)) return 0;
        if (at == end && at != begin && end[-1] == '\n') --at;
        if (!before(m_counted, at)) {
            m_counted = begin;
            m_line = 1;
        }
        m_line += static_cast<std::size_t>(std::count(m_counted, at, '\n'));
        m_counted = at;
        return m_line;
    }

    std::string_view m_text;
    const char* m_place = nullptr;
    const char* m_counted = m_text.data();  // the lines before it are counted
    std::size_t m_line = 1;                 // the line of m_counted
    std::vector<std::pair<std::size_t, std::string>> m_notes;
    std::size_t m_dropped = 0;
};

// Reads one file with the class's reader, listening: 0 when the reader noted
// nothing, 1 when it did (or failed), 2 when the file cannot be read.
int CheckFile(const ModelClass& cls, const std::string& path) {
    std::string text;
    if (!ReadFile(path, text)) {
        std::cerr << "quonmodel: cannot read " << path << "\n";
        return 2;
    }
    if (text.size() > UINT32_MAX) {
        std::cerr << "quonmodel: " << path << ": a text of more than 4 GiB\n";
        return 2;
    }
    CheckListener listener(text);
    {
        const quon::Listening listening(listener);
        quon::Ptr<IUnknown> object;
        try {
            HRESULT hr = DllCreateInstance(*cls.clsid, *cls.iid, reinterpret_cast<void**>(object.put()));
            if (SUCCEEDED(hr) && cls.prepare != nullptr) hr = cls.prepare(object.get());
            if (FAILED(hr)) throw quon::Error(hr, "cannot make a " + std::string(cls.name) + " object");
            hr = cls.load(object.get(), text.data(), static_cast<UINT32>(text.size()));
            if (hr != S_OK) listener.Note(nullptr, "LoadFromBuffer returned " + quon::HresultText(hr));
        } catch (const quon::Error&) {
            throw;
        } catch (const std::exception& e) {
            listener.Exception(e.what());
        }
    }
    const std::vector<std::string> lines = listener.Lines(path);
    for (const std::string& line : lines) std::cout << line << "\n";
    return lines.empty() ? 0 : 1;
}

int Check(const quon::Module*, const Options& o) {
    if (o.args.size() < 2) throw quon::Error(E_INVALIDARG, "check needs CLASS FILE...");
    const ModelClass& cls = FindClass(o.args[0]);
    if (cls.load == nullptr) throw quon::Error(E_INVALIDARG, std::string(cls.name) + " has no text form");
    // Child objects are made by the readers linked in here, as the module would.
    SetModelFactory(&DllCreateInstance);
    int worst = 0;
    for (std::size_t i = 1; i < o.args.size(); ++i) worst = std::max(worst, CheckFile(cls, o.args[i]));
    return worst;
}

int List(const quon::Module*, const Options&) {
    for (const ModelClass& c : AllModelClasses()) std::cout << c.name << "\t" << c.about << "\n";
    return 0;
}

int Help(const quon::Module*, const Options&);

struct Mode {
    const char* name;
    const char* usage;
    const char* about;
    const char* example;
    int (*run)(const quon::Module* module, const Options& options);
    bool needsModule;  // else run gets no module
};

// Every mode but check reads its files through the readers the module has.
const Mode kModes[] = {
    {"roundtrip", "roundtrip CLASS FILE... [--out FILE]",
     "reads each file into a fresh object and writes it back: exit 0 when every text comes back byte for byte,\n"
     "    1 when one differs, 2 on an error (the mode name may be left out: quonmodel CLASS FILE...)",
     "quonmodel roundtrip LookUpTable examples/data/LookUpTable/gain_5x3.txt", RoundTrip, true},
    {"render", "render CLASS FILE -o OUT.svg",
     "draws the grids or curves the object holds, read through its getters, as an SVG picture",
     "quonmodel render GeoAdjustInfo examples/data/GeoAdjustInfo/two_projector_wall.txt -o wall.svg", Render, true},
    {"dump", "dump CLASS FILE [-o OUT.json]",
     "reads the file into a fresh object and prints its records as JSON (docs/formats/ gives each schema)",
     "quonmodel dump LookUpTable examples/data/LookUpTable/gain_5x3.txt -o gain.json", Dump, true},
    {"build", "build CLASS IN.json [-o FILE]",
     "sets a fresh object from the records of a JSON file (as dump writes them) and writes its text",
     "quonmodel build LookUpTable gain.json -o gain_5x3.txt", Build, true},
    {"diff", "diff CLASS A B",
     "reads both files and prints a line per value whose records differ: JSON path, value in A, value in B\n"
     "    (tab-separated); exit 0 when the records are equal, 1 when they differ, 2 when a file cannot be read",
     "quonmodel diff LookUpTable old.txt new.txt", Diff, true},
    {"check", "check CLASS FILE...",
     "reads each file with the class's reader and prints, as FILE:LINE: message, what the reader skipped or\n"
     "    read as 0 and any exception it threw, with the line where it arose; exit 0 when no file has any,\n"
     "    1 when one has, 2 when a file cannot be read. The readers are those built into quonmodel from the\n"
     "    module's sources (the module lets no host listen to its readers); --module does not apply",
     "quonmodel check GeoAdjustInfo examples/data/GeoAdjustInfo/two_projector_wall.txt", Check, false},
    {"list", "list", "the class names, with what their texts (or objects) hold", "quonmodel list", List, false},
    {"help", "help", "this text", "quonmodel --help", Help, false},
};

int Help(const quon::Module*, const Options&) {
    std::cout << "quonmodel: reads QuonCoreModel texts through the module, as a host does (check: through\n"
                 "the same readers built into quonmodel).\n\n"
                 "usage: quonmodel [--module PATH] MODE ARGUMENTS\n\nmodes:\n";
    for (const Mode& m : kModes) {
        std::cout << "  " << m.usage << "\n    " << m.about << "\n    example: " << m.example << "\n";
    }
    std::cout << "\nrender draws " << RenderableClasses() << ".\n"
              << "\noptions:\n  --module PATH  the module to load (default: " << quon::ModuleFileName
              << " beside quonmodel, else in ../lib)\n  --list, --help same as the modes list and help\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    options.module = DefaultModule(argv[0]);
    std::string mode;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--module" && i + 1 < argc) {
            options.module = argv[++i];
        } else if ((arg == "--out" || arg == "-o") && i + 1 < argc) {
            options.out = argv[++i];
        } else if (arg == "--list" || arg == "--help" || arg == "-h") {
            mode = arg == "--list" ? "list" : "help";
        } else if (mode.empty() && options.args.empty() &&
                   std::any_of(std::begin(kModes), std::end(kModes), [&](const Mode& m) { return arg == m.name; })) {
            mode = arg;
        } else {
            options.args.push_back(arg);
        }
    }
    if (mode.empty() && options.args.empty()) {
        Help(nullptr, options);
        return 2;
    }
    if (mode.empty()) mode = "roundtrip";
    const Mode& chosen =
        *std::find_if(std::begin(kModes), std::end(kModes), [&](const Mode& m) { return mode == m.name; });
    try {
        if (!chosen.needsModule) return chosen.run(nullptr, options);
        const quon::Module module = quon::Module::Load(options.module);
        SetModelFactory(module.Entry());
        return chosen.run(&module, options);
    } catch (const quon::Error& e) {
        std::cerr << "quonmodel: " << e.what() << "\n";
        return 2;
    }
}
