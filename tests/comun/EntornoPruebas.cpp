// Leaks that LeakSanitizer reports inside third-party libraries (Qt's plugins, fontconfig,
// the ODBC driver manager) are theirs, not ours.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the sanitizer runtime looks this name up.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Widgets\nleak:libQt6Core\nleak:libqsqlite\n"
           "leak:libqsqlodbc\nleak:libodbc\nleak:libsqlite3odbc\nleak:libdbus\nleak:libglib\n";
}
