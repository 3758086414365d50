#pragma once

#include <QByteArray>
#include <QList>

namespace qmv::testing {

inline void putLittle(QByteArray& bytes, int offset, quint64 value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

// A minimal Windows DLL: the DOS header, the PE header, an optional header with only the export
// directory, and one section holding the export table. Enough for a reader of the format, and laid
// out at fixed offsets so a test can break one field at a time.
struct PeImage
{
    static constexpr int peHeader = 0x40;
    static constexpr int optionalHeader = peHeader + 24;
    static constexpr int sectionData = 0x400;
    static constexpr quint64 sectionAddress = 0x1000;
    static constexpr int exportDirectory = sectionData;

    bool wide = false;
    quint64 machine = 0x014C;
    bool dll = true;
    QList<QByteArray> exports;

    int sectionTable() const { return optionalHeader + optionalSize(); }
    int optionalSize() const { return wide ? 240 : 224; }
    // Where the table of name addresses and the first name lie in the file.
    int nameTable() const { return exportDirectory + 40 + 4 * static_cast<int>(exports.size()); }

    QByteArray bytes() const
    {
        const auto count = static_cast<int>(exports.size());
        QByteArray table(40 + count * 10, '\0');
        const quint64 functions = sectionAddress + 40;
        const quint64 names = functions + 4 * count;
        const quint64 ordinals = names + 4 * count;
        putLittle(table, 20, count, 4);
        putLittle(table, 24, count, 4);
        putLittle(table, 28, functions, 4);
        putLittle(table, 32, names, 4);
        putLittle(table, 36, ordinals, 4);
        for (int i = 0; i < count; ++i) {
            putLittle(table, 40 + 4 * i, 0x2000 + i, 4);
            putLittle(table, 40 + 4 * count + 4 * i, sectionAddress + table.size(), 4);
            putLittle(table, 40 + 8 * count + 2 * i, i, 2);
            table += exports[i] + '\0';
        }

        QByteArray file(sectionData, '\0');
        file[0] = 'M';
        file[1] = 'Z';
        putLittle(file, 0x3C, peHeader, 4);
        file.replace(peHeader, 4, QByteArray("PE\0\0", 4));
        putLittle(file, peHeader + 4, machine, 2);
        putLittle(file, peHeader + 6, 1, 2);
        putLittle(file, peHeader + 20, optionalSize(), 2);
        putLittle(file, peHeader + 22, dll ? 0x2002 : 0x0002, 2);
        putLittle(file, optionalHeader, wide ? 0x20B : 0x10B, 2);
        const int directories = optionalHeader + (wide ? 112 : 96);
        putLittle(file, directories - 4, 16, 4);
        putLittle(file, directories, sectionAddress, 4);
        putLittle(file, directories + 4, table.size(), 4);
        const int section = sectionTable();
        file.replace(section, 6, ".edata");
        putLittle(file, section + 8, table.size(), 4);
        putLittle(file, section + 12, sectionAddress, 4);
        putLittle(file, section + 16, table.size(), 4);
        putLittle(file, section + 20, sectionData, 4);
        return file + table;
    }
};

} // namespace qmv::testing
