#include "LibraryImage.h"

#include "BoundedBytes.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <array>

namespace qmv {

namespace {

// Far beyond any real library, small enough that reading them all costs nothing.
constexpr quint64 maxSections = 4096;
constexpr quint64 maxSymbols = 1'000'000;
constexpr quint64 maxNameLength = 4096;

QString damaged(const char* part)
{
    return QCoreApplication::translate("qmv::LibraryVerifier", "库文件损坏：%1").arg(QLatin1String(part));
}

QString notShared()
{
    return QCoreApplication::translate("qmv::LibraryVerifier", "不是动态库");
}

struct Machine
{
    quint64 code;
    int wordBits;
    bool native;
};

#if defined(Q_PROCESSOR_X86)
constexpr bool onX86 = true;
#else
constexpr bool onX86 = false;
#endif
#if defined(Q_PROCESSOR_ARM)
constexpr bool onArm = true;
#else
constexpr bool onArm = false;
#endif

constexpr std::array peMachines{Machine{0x014C, 32, onX86}, Machine{0x8664, 64, onX86},
                                Machine{0x01C4, 32, onArm}, Machine{0xAA64, 64, onArm}};
constexpr std::array elfMachines{Machine{3, 32, onX86}, Machine{62, 64, onX86}, Machine{40, 32, onArm},
                                 Machine{183, 64, onArm}};

template <std::size_t N> const Machine* findMachine(const std::array<Machine, N>& machines, quint64 code)
{
    for (const Machine& machine : machines) {
        if (machine.code == code)
            return &machine;
    }
    return nullptr;
}

QString foreignMachine(quint64 code)
{
    return QCoreApplication::translate("qmv::LibraryVerifier", "不是本系统的库：%1")
        .arg(QStringLiteral("machine 0x%1").arg(code, 0, 16));
}

// A Windows DLL: the DOS stub points to the PE header, whose optional header locates the export
// directory by its address in memory; the section table maps such addresses to file offsets.
class PeReader
{
public:
    explicit PeReader(const QByteArray& bytes)
        : m_file(bytes)
    {
    }

    LibraryImage read()
    {
        LibraryImage image;
        image.format = LibraryFormat::Pe;
        image.refusal = readHeaders(image);
        if (image.refusal.isEmpty())
            image.refusal = readExports(image);
        return image;
    }

private:
    static constexpr quint64 dllFlag = 0x2000;
    static constexpr quint64 sectionEntry = 40;

    QString readHeaders(LibraryImage& image)
    {
        const auto header = m_file.little(0x3C, 4);
        if (!header || m_file.big(*header, 4) != 0x50450000u)
            return damaged("PE header");
        const auto machine = m_file.little(*header + 4, 2);
        const auto sections = m_file.little(*header + 6, 2);
        const auto optionalSize = m_file.little(*header + 20, 2);
        const auto characteristics = m_file.little(*header + 22, 2);
        if (!machine || !sections || !optionalSize || !characteristics)
            return damaged("PE header");
        const Machine* known = findMachine(peMachines, *machine);
        if (!known)
            return foreignMachine(*machine);
        image.wordBits = known->wordBits;
        image.nativeMachine = known->native;
        if ((*characteristics & dllFlag) == 0)
            return notShared();

        const quint64 optional = *header + 24;
        const auto magic = m_file.little(optional, 2);
        const bool plus = magic == 0x20BU;
        if (!magic || (*magic != 0x10BU && !plus) || (plus ? 64 : 32) != image.wordBits)
            return damaged("optional header");
        const quint64 directories = optional + (plus ? 112 : 96);
        const auto directoryCount = m_file.little(directories - 4, 4);
        if (!directoryCount || !m_file.holds(optional, *optionalSize) ||
            directories + 8 > optional + *optionalSize)
            return damaged("optional header");
        m_exportAddress = m_file.little(directories, 4).value_or(0);
        m_exportSize = m_file.little(directories + 4, 4).value_or(0);
        if (*directoryCount < 1 || m_exportAddress == 0)
            return QCoreApplication::translate("qmv::LibraryVerifier", "没有导出表");

        m_sectionTable = optional + *optionalSize;
        m_sectionCount = *sections;
        if (m_sectionCount == 0 || m_sectionCount > maxSections ||
            !m_file.holds(m_sectionTable, m_sectionCount * sectionEntry))
            return damaged("section table");
        return {};
    }

    // The file offset of `count` bytes at memory address `address`, when one section holds them
    // all in the file.
    std::optional<quint64> fileOffset(quint64 address, quint64 count) const
    {
        for (quint64 i = 0; i < m_sectionCount; ++i) {
            const quint64 entry = m_sectionTable + i * sectionEntry;
            const quint64 start = m_file.little(entry + 12, 4).value_or(0);
            const quint64 rawSize = m_file.little(entry + 16, 4).value_or(0);
            const quint64 rawOffset = m_file.little(entry + 20, 4).value_or(0);
            if (address < start || address - start >= rawSize)
                continue;
            const quint64 within = address - start;
            if (count > rawSize - within || !m_file.holds(rawOffset + within, count))
                return std::nullopt;
            return rawOffset + within;
        }
        return std::nullopt;
    }

    QString readExports(LibraryImage& image) const
    {
        const auto directory = fileOffset(m_exportAddress, 40);
        if (!directory || m_exportSize < 40)
            return damaged("export directory");
        const quint64 functionCount = m_file.little(*directory + 20, 4).value_or(0);
        const quint64 nameCount = m_file.little(*directory + 24, 4).value_or(0);
        const quint64 functionsAt = m_file.little(*directory + 28, 4).value_or(0);
        const quint64 namesAt = m_file.little(*directory + 32, 4).value_or(0);
        const quint64 ordinalsAt = m_file.little(*directory + 36, 4).value_or(0);
        if (functionCount > maxSymbols || nameCount > functionCount)
            return damaged("export directory");
        if (nameCount == 0)
            return {};
        const auto functions = fileOffset(functionsAt, functionCount * 4);
        const auto names = fileOffset(namesAt, nameCount * 4);
        const auto ordinals = fileOffset(ordinalsAt, nameCount * 2);
        if (!functions || !names || !ordinals)
            return damaged("export directory");
        for (quint64 i = 0; i < nameCount; ++i) {
            const auto nameAddress = m_file.little(*names + i * 4, 4);
            const auto ordinal = m_file.little(*ordinals + i * 2, 2);
            if (!nameAddress || !ordinal || *ordinal >= functionCount)
                return damaged("export names");
            const auto nameAt = fileOffset(*nameAddress, 1);
            const auto name = nameAt ? m_file.text(*nameAt, maxNameLength) : std::nullopt;
            if (!name || name->isEmpty())
                return damaged("export names");
            // An ordinal whose address is 0 exports nothing.
            if (m_file.little(*functions + *ordinal * 4, 4).value_or(0) != 0)
                image.exports.insert(*name);
        }
        return {};
    }

    BoundedBytes m_file;
    quint64 m_exportAddress = 0;
    quint64 m_exportSize = 0;
    quint64 m_sectionTable = 0;
    quint64 m_sectionCount = 0;
};

// A shared object: its section headers locate the dynamic symbol table and the strings it names
// its symbols with. The fields sit at other offsets and widths in the 32-bit and 64-bit layouts.
class ElfReader
{
public:
    explicit ElfReader(const QByteArray& bytes)
        : m_file(bytes)
    {
    }

    LibraryImage read()
    {
        LibraryImage image;
        image.format = LibraryFormat::Elf;
        image.refusal = readHeader(image);
        if (image.refusal.isEmpty())
            image.refusal = readSymbols(image);
        return image;
    }

private:
    static constexpr quint64 sharedObject = 3;
    static constexpr quint64 dynamicSymbols = 11;
    static constexpr quint64 stringTable = 3;

    quint64 field(quint64 offset, int width32, int width64) const
    {
        return m_file.little(offset, m_wide ? width64 : width32).value_or(0);
    }

    QString readHeader(LibraryImage& image)
    {
        const auto wordClass = m_file.little(4, 1);
        const auto order = m_file.little(5, 1);
        if (!wordClass || (*wordClass != 1 && *wordClass != 2) || m_file.little(6, 1) != 1U)
            return damaged("ELF header");
        if (order != 1U)
            return QCoreApplication::translate("qmv::LibraryVerifier", "不是本系统的库：%1")
                .arg(QLatin1String("big-endian"));
        m_wide = *wordClass == 2;
        const auto type = m_file.little(16, 2);
        const auto machine = m_file.little(18, 2);
        if (!type || !machine)
            return damaged("ELF header");
        const Machine* known = findMachine(elfMachines, *machine);
        if (!known)
            return foreignMachine(*machine);
        image.wordBits = known->wordBits;
        image.nativeMachine = known->native;
        if (known->wordBits != (m_wide ? 64 : 32))
            return damaged("ELF header");
        if (*type != sharedObject)
            return notShared();
        m_sectionTable = field(m_wide ? 0x28 : 0x20, 4, 8);
        m_sectionEntry = field(m_wide ? 0x3A : 0x2E, 2, 2);
        m_sectionCount = field(m_wide ? 0x3C : 0x30, 2, 2);
        if (m_sectionEntry != (m_wide ? 64u : 40u) || m_sectionCount == 0 || m_sectionCount > maxSections ||
            !m_file.holds(m_sectionTable, m_sectionCount * m_sectionEntry))
            return damaged("section headers");
        return {};
    }

    struct Section
    {
        quint64 type;
        quint64 offset;
        quint64 size;
        quint64 link;
        quint64 entrySize;
    };

    Section section(quint64 index) const
    {
        const quint64 at = m_sectionTable + index * m_sectionEntry;
        return m_wide ? Section{field(at + 4, 4, 4), field(at + 0x18, 8, 8), field(at + 0x20, 8, 8),
                                field(at + 0x28, 4, 4), field(at + 0x38, 8, 8)}
                      : Section{field(at + 4, 4, 4), field(at + 0x10, 4, 4), field(at + 0x14, 4, 4),
                                field(at + 0x18, 4, 4), field(at + 0x24, 4, 4)};
    }

    QString readSymbols(LibraryImage& image) const
    {
        std::optional<Section> symbols;
        for (quint64 i = 0; i < m_sectionCount && !symbols; ++i) {
            if (const Section s = section(i); s.type == dynamicSymbols)
                symbols = s;
        }
        if (!symbols)
            return QCoreApplication::translate("qmv::LibraryVerifier", "没有导出表");
        const quint64 entrySize = m_wide ? 24 : 16;
        if (symbols->entrySize != entrySize || !m_file.holds(symbols->offset, symbols->size) ||
            symbols->size / entrySize > maxSymbols || symbols->link >= m_sectionCount)
            return damaged("dynamic symbols");
        const Section strings = section(symbols->link);
        if (strings.type != stringTable || !m_file.holds(strings.offset, strings.size))
            return damaged("dynamic symbols");
        for (quint64 i = 1; i < symbols->size / entrySize; ++i) {
            const quint64 at = symbols->offset + i * entrySize;
            const quint64 nameOffset = field(at, 4, 4);
            const quint64 info = field(at + (m_wide ? 4 : 12), 1, 1);
            const quint64 other = field(at + (m_wide ? 5 : 13), 1, 1);
            const quint64 sectionIndex = field(at + (m_wide ? 6 : 14), 2, 2);
            const quint64 binding = info >> 4;
            const quint64 visibility = other & 3;
            // Defined here, global or weak, and visible to the loader (default or protected).
            if (sectionIndex == 0 || (binding != 1 && binding != 2) || (visibility != 0 && visibility != 3))
                continue;
            if (nameOffset >= strings.size)
                return damaged("symbol names");
            const auto name = m_file.text(strings.offset + nameOffset, strings.size - nameOffset);
            if (!name)
                return damaged("symbol names");
            image.exports.insert(*name);
        }
        return {};
    }

    BoundedBytes m_file;
    bool m_wide = false;
    quint64 m_sectionTable = 0;
    quint64 m_sectionEntry = 0;
    quint64 m_sectionCount = 0;
};

} // namespace

LibraryImage readLibraryImage(const QByteArray& bytes)
{
    if (bytes.startsWith("MZ"))
        return PeReader(bytes).read();
    if (bytes.startsWith("\x7F"
                         "ELF"))
        return ElfReader(bytes).read();
    LibraryImage image;
    image.refusal =
        QCoreApplication::translate("qmv::LibraryVerifier", "不是库文件（没有 PE 或 ELF 文件头）");
    return image;
}

LibraryFormat nativeLibraryFormat()
{
#if defined(Q_OS_WIN)
    return LibraryFormat::Pe;
#else
    return LibraryFormat::Elf;
#endif
}

} // namespace qmv
