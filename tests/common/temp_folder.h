#pragma once
// A folder that lives as long as the object and is removed with it.
#include <string>

namespace q31::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // A sub-folder, created when missing.
    std::string Sub(const std::string& name) const;

private:
    std::string m_path;
};

// The private home of this test process (XDG folders point into it).
const TempFolder& ProcessHome();

}  // namespace q31::test
