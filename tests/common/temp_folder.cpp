#include "tests/common/temp_folder.h"

#include <filesystem>
#include <stdexcept>
#include <cstdlib>

namespace q31::test {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "q31-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::Sub(const std::string& name) const
{
    const auto sub = std::filesystem::path(m_path) / name;
    std::filesystem::create_directories(sub);
    std::filesystem::permissions(sub, std::filesystem::perms::owner_all);
    return sub.string();
}

const TempFolder& ProcessHome()
{
    static TempFolder home;
    return home;
}

}  // namespace q31::test
