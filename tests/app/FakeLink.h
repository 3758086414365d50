#pragma once

#include "LinkFunctions.h"

namespace qmv::testing {

// A link library of test functions: only link_state answers, from `attached`; every other
// operation fails.
struct FakeLink
{
    static inline bool attached = true;
    static inline int linkStateCalls = 0;

    static tavrio_bool linkState()
    {
        ++linkStateCalls;
        return attached ? 1 : 0;
    }
    static tavrio_bool bufferFails(char*) { return 0; }
    static tavrio_bool readFails(char*, int, const char*, const char*, const char*) { return 0; }
    static tavrio_bool writeFails(const char*, const char*, const char*, const char*) { return 0; }
    static tavrio_bool captureFails() { return 0; }

    static LinkFunctions functions()
    {
        attached = true;
        linkStateCalls = 0;
        LinkFunctions table;
        table.linkState = &linkState;
        table.readVersion = &bufferFails;
        table.basicInfo = &bufferFails;
        table.readData = &readFails;
        table.writeData = &writeFails;
        table.setCodeCarrierWave = &captureFails;
        table.collectCodeInfo = &bufferFails;
        return table;
    }
};

} // namespace qmv::testing
