// Where calendario.exe takes its DLLs from on Windows: System32 alone, never its own folder,
// where a browser may have saved a DLL of the same name unasked. The link imports only the
// KnownDLLs as usual and delay-loads the rest (cmake/WindowsDlls.cmake); this file makes
// those loads, and any LoadLibrary of Qt's, search System32 alone.
#include <windows.h>

namespace {

// Before any other constructor, so before any DLL is delay-loaded.
__attribute__((constructor(101))) void searchSystem32Only()
{
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace

// The load configuration, which Windows 10 1607 and later read before they resolve the
// program's imports: DependentLoadFlags keeps those in System32 too. GNU ld links it but
// leaves data directory 10 empty; cmake/pe_load_config.py points it here after the link.
namespace {

constexpr IMAGE_LOAD_CONFIG_DIRECTORY64 loadConfig()
{
    IMAGE_LOAD_CONFIG_DIRECTORY64 config{};
    config.Size = sizeof config;
    config.Reserved1 =
        LOAD_LIBRARY_SEARCH_SYSTEM32; // DependentLoadFlags, in MinGW-w64's older name
    return config;
}

} // namespace

extern "C" const IMAGE_LOAD_CONFIG_DIRECTORY64 _load_config_used = loadConfig();
