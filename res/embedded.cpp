// The data resources of the program live in Qt's resource system; this
// library carries them (see CMakeLists.txt beside this file).
namespace {
[[maybe_unused]] constexpr const char* kEmbeddedPrefix = ":/zerim/";
}
