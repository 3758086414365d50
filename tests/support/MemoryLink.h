#pragma once

// A remote made of a memory image held by the test, behind the seven link operations, with a log
// of every call. Tests build unusual images with it (other layouts, broken tables) and check
// exactly which reads the tool makes.

#include "LinkFunctions.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace qmv::test {

class MemoryLink
{
public:
    std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(0x10000, 0xFF);
    std::string version = "1020TEST";
    bool attached = true;
    int detachedPolls = 0;     // link_state answers false this many times first
    int failReadsFrom = -1;    // reads with this sequence number and later fail
    bool versionFails = false; // ReadVersion fails, as when the link drops for that call
    std::vector<std::string> calls;

    MemoryLink() { s_current = this; }
    ~MemoryLink() { s_current = nullptr; }

    LinkFunctions functions() const
    {
        LinkFunctions f;
        f.linkState = [] {
            return static_cast<tavrio_bool>(s_current->linkState());
        };
        f.readVersion = [](char* buffer) {
            s_current->calls.push_back("ReadVersion");
            std::memcpy(buffer, s_current->version.data(), s_current->version.size());
            return static_cast<tavrio_bool>(s_current->attached && !s_current->versionFails);
        };
        f.basicInfo = [](char* buffer) {
            s_current->calls.push_back("RBasicInfo");
            const std::string text = s_current->hexAt(0xB000, 48);
            std::memcpy(buffer, text.data(), text.size());
            return static_cast<tavrio_bool>(s_current->attached);
        };
        f.readData = [](char* buffer, int count, const char* high, const char* low, const char* selector) {
            return static_cast<tavrio_bool>(s_current->read(buffer, count, high, low, selector));
        };
        f.writeData = [](const char* tag, const char* high, const char* low, const char* data) {
            s_current->calls.push_back(std::string("write ") + tag + " " + high + low + " " + data);
            return static_cast<tavrio_bool>(s_current->attached);
        };
        f.setCodeCarrierWave = [] {
            return static_cast<tavrio_bool>(s_current->attached);
        };
        f.collectCodeInfo = [](char*) {
            return static_cast<tavrio_bool>(0);
        };
        return f;
    }

    void put8(std::size_t address, int value) { memory.at(address) = static_cast<std::uint8_t>(value); }
    void put16(std::size_t address, int value)
    {
        put8(address, value & 0xFF);
        put8(address + 1, (value >> 8) & 0xFF);
    }
    std::string hexAt(std::size_t address, std::size_t count) const
    {
        std::string text;
        char pair[3];
        for (std::size_t i = 0; i < count; ++i) {
            std::snprintf(pair, sizeof pair, "%02X", memory[address + i]);
            text += pair;
        }
        return text;
    }
    int reads() const
    {
        int n = 0;
        for (const auto& call : calls)
            n += call.rfind("read ", 0) == 0;
        return n;
    }

private:
    bool linkState()
    {
        calls.push_back("link_state");
        if (detachedPolls > 0) {
            --detachedPolls;
            return false;
        }
        return attached;
    }
    bool read(char* buffer, int count, const char* high, const char* low, const char* selector)
    {
        calls.push_back(std::string("read ") + high + low + " " + std::to_string(count) + " " + selector);
        if (!attached || (failReadsFrom >= 0 && reads() > failReadsFrom))
            return false;
        const std::size_t address = std::stoul(std::string(high) + low, nullptr, 16);
        if (address + static_cast<std::size_t>(count) * 8 > memory.size())
            return false;
        const std::string text = hexAt(address, static_cast<std::size_t>(count) * 8);
        std::memcpy(buffer, text.data(), text.size());
        return true;
    }

    static inline MemoryLink* s_current = nullptr;
};

} // namespace qmv::test
