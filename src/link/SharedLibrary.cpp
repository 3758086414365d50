#include "SharedLibrary.h"

#include "Text.h"

#include <cstdlib>
#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace qmv {

SharedLibrary::SharedLibrary(void* handle, std::string path)
    : m_handle(handle)
    , m_path(std::move(path))
{
}

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::string& path, std::string* error)
{
#if defined(_WIN32)
    void* handle = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
    if (!handle) {
        if (error)
            *error = "LoadLibrary failed";
        return nullptr;
    }
#else
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error) {
            const char* reason = dlerror();
            *error = reason ? reason : "dlopen failed";
        }
        return nullptr;
    }
#endif
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle, path));
}

std::unique_ptr<SharedLibrary> SharedLibrary::openMakers(const std::string& folder, const char* fileName,
                                                         const char* role, std::string* error)
{
    const std::string path = folder + fileName;
    std::string reason;
    auto library = open(path, &reason);
    if (!library && error)
        *error = formatText(translate("qmv::LinkLibrary", "找不到%1 %2（%3）：%4"),
                            {translate("qmv::LinkLibrary", role), fileName, path, reason});
    return library;
}

SharedLibrary::~SharedLibrary()
{
#if defined(_WIN32)
    FreeLibrary(reinterpret_cast<HMODULE>(m_handle));
#else
    dlclose(m_handle);
#endif
}

void* SharedLibrary::symbol(const char* name) const
{
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(m_handle), name));
#else
    return dlsym(m_handle, name);
#endif
}

namespace {

std::string withSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    return folder;
}

} // namespace

std::string programFolder()
{
    std::error_code ec;
#if defined(_WIN32)
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::filesystem::path exe(buffer);
#else
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
#endif
    if (ec || exe.empty())
        return "./";
    return withSeparator(exe.parent_path().string());
}

std::string libraryFolder()
{
    const char* chosen = std::getenv("QMV718_LIBRARY_DIR");
    if (!chosen || !*chosen)
        return programFolder();
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(chosen, ec);
    return withSeparator(ec ? std::string(chosen) : folder.string());
}

} // namespace qmv
