// The verifier's readers of library and bundle files, against the project's own built files and
// against those files broken one field at a time.
#include "LibraryImage.h"
#include "LinkFunctions.h"
#include "PeImage.h"
#include "ResourceBundle.h"
#include "TestLibraries.h"
#include "UpdateTestEnvironment.h"

#include <functional>

#include <gtest/gtest.h>

namespace qmv {
namespace {

using testing::putLittle;
using Breakage = std::function<void(QByteArray&)>;

struct BrokenCase
{
    const char* what;
    Breakage breakage;
};

// The offset of the first section header of `type` in a 64-bit ELF file.
int elfSection(const QByteArray& elf, quint32 type)
{
    const auto little = [&elf](int at, int width) {
        quint64 value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(elf[at + i]);
        return value;
    };
    const auto table = static_cast<int>(little(0x28, 8));
    for (int i = 0; i < static_cast<int>(little(0x3C, 2)); ++i) {
        if (little(table + i * 64 + 4, 4) == type)
            return table + i * 64;
    }
    ADD_FAILURE() << "no section of type " << type;
    return 0;
}

TEST(LibraryImage, ReadsTheExportsOfTheProjectsOwnLibrariesWithoutLoadingThem)
{
    const LibraryImage link = readLibraryImage(testing::linkLibrary());
    ASSERT_TRUE(link.refusal.isEmpty()) << link.refusal.toStdString();
#if defined(_WIN32)
    EXPECT_EQ(link.format, LibraryFormat::Pe);
#else
    EXPECT_EQ(link.format, LibraryFormat::Elf);
#endif
    EXPECT_EQ(link.wordBits, static_cast<int>(8 * sizeof(void*)));
    EXPECT_TRUE(link.nativeMachine);
    for (const char* name : linkname::all)
        EXPECT_EQ(link.exports.count(name), 1U) << name;
    const LibraryImage converter = readLibraryImage(testing::converterLibrary());
    EXPECT_EQ(converter.exports.count("ConvertCode"), 1U);
    EXPECT_EQ(converter.exports.count("link_state"), 0U);
}

TEST(LibraryImage, ABrokenSharedObjectIsRefusedWithItsReason)
{
#if defined(_WIN32)
    GTEST_SKIP() << "the project's own libraries are Windows DLLs here; broken DLLs are cases below";
#endif
    constexpr quint32 dynamicSymbols = 11;
    const QList<BrokenCase> cases{
        {"cut in half",
         [](QByteArray& f) {
             f.truncate(f.size() / 2);
         }},
        {"section headers far beyond the end",
         [](QByteArray& f) {
             putLittle(f, 0x28, ~0ULL - 0xff, 8);
         }},
        {"a wrong section header size",
         [](QByteArray& f) {
             putLittle(f, 0x3A, 32, 2);
         }},
        {"more section headers than the file holds",
         [](QByteArray& f) {
             putLittle(f, 0x3C, 4000, 2);
         }},
        {"symbols beyond the end",
         [](QByteArray& f) {
             putLittle(f, elfSection(f, dynamicSymbols) + 0x18, 0x7fffffff00, 8);
         }},
        {"symbol count beyond the end",
         [](QByteArray& f) {
             putLittle(f, elfSection(f, dynamicSymbols) + 0x20, ~0ULL / 2, 8);
         }},
        {"symbol names in a missing section",
         [](QByteArray& f) {
             putLittle(f, elfSection(f, dynamicSymbols) + 0x28, 0xffff, 4);
         }},
        {"symbol names beyond their table",
         [](QByteArray& f) {
             const int symbols = elfSection(f, dynamicSymbols);
             quint64 at = 0;
             quint64 size = 0;
             for (int i = 7; i >= 0; --i) {
                 at = (at << 8) | static_cast<unsigned char>(f[symbols + 0x18 + i]);
                 size = (size << 8) | static_cast<unsigned char>(f[symbols + 0x20 + i]);
             }
             for (quint64 s = at + 24; s < at + size; s += 24)
                 putLittle(f, static_cast<int>(s), 0xfffffff0, 4);
         }},
        {"an executable, not a shared object",
         [](QByteArray& f) {
             putLittle(f, 0x10, 2, 2);
         }},
        {"another processor",
         [](QByteArray& f) {
             putLittle(f, 0x12, 0x1234, 2);
         }},
        {"big-endian",
         [](QByteArray& f) {
             f[5] = 2;
         }},
        {"no magic",
         [](QByteArray& f) {
             f[1] = 'X';
         }},
    };
    for (const BrokenCase& c : cases) {
        QByteArray file = testing::converterLibrary();
        c.breakage(file);
        const LibraryImage image = readLibraryImage(file);
        EXPECT_FALSE(image.refusal.isEmpty()) << c.what;
        EXPECT_EQ(image.exports.count("ConvertCode"), 0U) << c.what;
    }
}

TEST(LibraryImage, ReadsTheExportsOfAWindowsDllOfEitherWordSize)
{
    for (const bool wide : {false, true}) {
        testing::PeImage pe{wide, wide ? 0x8664U : 0x014CU, true, {"ConvertCode", "link_state"}};
        const LibraryImage image = readLibraryImage(pe.bytes());
        ASSERT_TRUE(image.refusal.isEmpty()) << image.refusal.toStdString();
        EXPECT_EQ(image.format, LibraryFormat::Pe);
        EXPECT_EQ(image.wordBits, wide ? 64 : 32);
        EXPECT_EQ(image.exports, (std::set<QByteArray>{"ConvertCode", "link_state"}));
    }
}

TEST(LibraryImage, ABrokenWindowsDllIsRefusedWithItsReason)
{
    using P = testing::PeImage;
    const P pe{false, 0x014C, true, {"ConvertCode"}};
    const QList<BrokenCase> cases{
        {"PE header beyond the end",
         [](QByteArray& f) {
             putLittle(f, 0x3C, 0x7fffffff, 4);
         }},
        {"no PE signature",
         [](QByteArray& f) {
             f[P::peHeader] = 'X';
         }},
        {"more sections than the file holds",
         [](QByteArray& f) {
             putLittle(f, P::peHeader + 6, 0xffff, 2);
         }},
        {"optional header of the other word size",
         [](QByteArray& f) {
             putLittle(f, P::optionalHeader, 0x20B, 2);
         }},
        {"optional header longer than the file",
         [](QByteArray& f) {
             putLittle(f, P::peHeader + 20, 0xffff, 2);
         }},
        {"more names than functions",
         [](QByteArray& f) {
             putLittle(f, P::exportDirectory + 24, 0xffffffff, 4);
         }},
        {"a huge function count",
         [](QByteArray& f) {
             putLittle(f, P::exportDirectory + 20, 0xffffffff, 4);
         }},
        {"name table outside every section",
         [](QByteArray& f) {
             putLittle(f, P::exportDirectory + 32, 0x7ffffff0, 4);
         }},
        {"a name outside every section",
         [&pe](QByteArray& f) {
             putLittle(f, pe.nameTable(), 0x10, 4);
         }},
        {"section data beyond the end",
         [&pe](QByteArray& f) {
             putLittle(f, pe.sectionTable() + 20, 0x7fffff00, 4);
         }},
        {"an ordinal past the functions",
         [&pe](QByteArray& f) {
             putLittle(f, pe.nameTable() + 4, 7, 2);
         }},
        {"cut inside the export table",
         [](QByteArray& f) {
             f.truncate(P::exportDirectory + 30);
         }},
        {"an executable, not a DLL",
         [](QByteArray& f) {
             putLittle(f, P::peHeader + 22, 0x0002, 2);
         }},
        {"another processor",
         [](QByteArray& f) {
             putLittle(f, P::peHeader + 4, 0x0200, 2);
         }},
    };
    ASSERT_TRUE(readLibraryImage(pe.bytes()).refusal.isEmpty());
    for (const BrokenCase& c : cases) {
        QByteArray file = pe.bytes();
        c.breakage(file);
        const LibraryImage image = readLibraryImage(file);
        EXPECT_FALSE(image.refusal.isEmpty()) << c.what;
        EXPECT_TRUE(image.exports.empty()) << c.what;
    }
}

TEST(ResourceBundle, ListsEveryFileOfAProjectBundle)
{
    const ResourceBundle bundle = readResourceBundle(testing::keyBundle());
    ASSERT_TRUE(bundle.refusal.isEmpty()) << bundle.refusal.toStdString();
    EXPECT_EQ(bundle.files.size(), 168);
    EXPECT_TRUE(bundle.files.contains("gif0"));
    EXPECT_TRUE(bundle.files.contains("gif167"));
}

TEST(ResourceBundle, ABrokenBundleIsRefusedWithItsReason)
{
    const auto tree = [](const QByteArray& f) {
        return (static_cast<unsigned char>(f[8]) << 24) | (static_cast<unsigned char>(f[9]) << 16) |
               (static_cast<unsigned char>(f[10]) << 8) | static_cast<unsigned char>(f[11]);
    };
    const auto putBig = [](QByteArray& f, int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            f[at + i] = static_cast<char>(value >> (24 - 8 * i));
    };
    const QList<BrokenCase> cases{
        {"cut in half",
         [](QByteArray& f) {
             f.truncate(f.size() / 2);
         }},
        {"an unknown version",
         [&](QByteArray& f) {
             putBig(f, 4, 9);
         }},
        {"tree beyond the end",
         [&](QByteArray& f) {
             putBig(f, 8, 0x7fffffff);
         }},
        {"data beyond the end",
         [&](QByteArray& f) {
             putBig(f, 12, 0x7fffffff);
         }},
        {"names beyond the end",
         [&](QByteArray& f) {
             putBig(f, 16, 0x7fffffff);
         }},
        {"a root with a million entries",
         [&](QByteArray& f) {
             putBig(f, tree(f) + 6, 1000000);
         }},
        {"a root that holds itself",
         [&](QByteArray& f) {
             putBig(f, tree(f) + 10, 0);
         }},
        {"no magic",
         [](QByteArray& f) {
             f[0] = 'x';
         }},
    };
    for (const BrokenCase& c : cases) {
        QByteArray file = testing::keyBundle();
        c.breakage(file);
        EXPECT_FALSE(readResourceBundle(file).refusal.isEmpty()) << c.what;
    }
}

} // namespace
} // namespace qmv
