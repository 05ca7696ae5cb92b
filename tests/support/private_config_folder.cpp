// Linked into every test program: before main runs, the configuration
// folder becomes an empty one of the program's own, removed at its end. What
// the program keeps between runs never reaches the user's own folder, and
// no test run sees what another one kept.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

class PrivateConfigFolder
{
public:
    PrivateConfigFolder()
    {
        std::error_code error;
        std::string pattern = (std::filesystem::temp_directory_path(error) / "valdora-config-XXXXXX").string();
        if (error || !mkdtemp(pattern.data()))
            std::abort();
        m_folder = pattern;
        setenv("XDG_CONFIG_HOME", m_folder.c_str(), 1);
    }
    ~PrivateConfigFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    PrivateConfigFolder(const PrivateConfigFolder &) = delete;
    PrivateConfigFolder &operator=(const PrivateConfigFolder &) = delete;

private:
    std::string m_folder;
};

const PrivateConfigFolder privateConfigFolder;

} // namespace
