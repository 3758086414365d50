#pragma once

#include <memory>
#include <string>

namespace qmv {

// A shared library opened by path, closed when the object goes. Plain C++ over the platform's
// loader, so the core needs no toolkit to load the link library or the code converter.
class SharedLibrary
{
public:
    static std::unique_ptr<SharedLibrary> open(const std::string& path, std::string* error);
    // One of the maker's libraries, `fileName` in `folder`; on failure `error` (when given) says,
    // for the user, which library (`role`, a text of the context "qmv::LinkLibrary") was not found where.
    static std::unique_ptr<SharedLibrary> openMakers(const std::string& folder, const char* fileName,
                                                     const char* role, std::string* error);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The address of an exported symbol, or null.
    void* symbol(const char* name) const;
    const std::string& path() const { return m_path; }

private:
    SharedLibrary(void* handle, std::string path);
    void* m_handle;
    std::string m_path;
};

// The folder the running program lies in, with a trailing separator.
std::string programFolder();

// The folder the maker's link library and code converter are loaded from, with a trailing
// separator: $QMV718_LIBRARY_DIR where the user keeps them elsewhere (where the maker's own
// software installed them), else the program's folder.
std::string libraryFolder();

} // namespace qmv
