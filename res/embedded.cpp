// The data resources of the program live in Qt's resource system, compiled
// into this library by the rules in CMakeLists.txt beside this file; a static
// library needs at least one source of its own.
