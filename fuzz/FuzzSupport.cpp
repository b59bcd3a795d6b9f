#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class ScratchFolder
{
public:
    ScratchFolder()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/pelmora-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("pelmora fuzz: cannot create a scratch folder");
            std::abort();
        }
        m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace

std::filesystem::path ScratchFile(std::string_view name)
{
    static const ScratchFolder folder;
    return folder.Path() / name;
}

void WriteScratchFile(const std::filesystem::path& file, const uint8_t* data, std::size_t size)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        std::fprintf(stderr, "pelmora fuzz: cannot write %s\n", file.c_str());
        std::abort();
    }
}

void FuzzFailure(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "pelmora fuzz: invariant broken at %s:%d: %s\n", file, line, condition);
    std::abort();
}
