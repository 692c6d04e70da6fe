#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

// A German locale (comma as the decimal separator), generated once per test
// process into a folder of its own and removed at exit, since a fresh machine
// carries only the C locales. Its definitions come from the "locales"
// package, which ./tarvik.sh installs. Point LOCPATH at folder() and name
// the locale by Name.
class CommaLocale {
public:
    static constexpr const char *Name = "de_DE.UTF-8";

    // The folder holding the generated locale, or an empty string when it
    // cannot be generated on this machine.
    static std::string folder()
    {
        static const CommaLocale generated;
        return generated.m_ready ? generated.m_folder.string() : std::string();
    }

private:
    CommaLocale() : m_folder(std::filesystem::temp_directory_path() / ("tarvik-locale-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_folder);
        const std::filesystem::path locale = m_folder / Name;
        const std::string command = "localedef -i de_DE -f UTF-8 '" + locale.string() + "' >/dev/null 2>&1";
        // localedef also reports mere warnings through its exit status, so the
        // generated numeric category decides.
        [[maybe_unused]] const int status = std::system(command.c_str());
        m_ready = std::filesystem::exists(locale / "LC_NUMERIC");
    }
    ~CommaLocale() { std::filesystem::remove_all(m_folder); }

    std::filesystem::path m_folder;
    bool m_ready = false;
};
