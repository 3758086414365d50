#pragma once

// qmv718-cli as a user runs it: separate processes on the virtual remote's state folder.
#include "RemoteFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>
#include <vector>

namespace qmv::test {

struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string slurp(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<long> numbers(const std::string& line)
{
    std::vector<long> values;
    std::istringstream in(line);
    for (long v; in >> v;)
        values.push_back(v);
    return values;
}

inline std::vector<long> timingsFile(const std::string& path)
{
    std::string text = slurp(path);
    text.erase(0, text.find('\n') + 1); // the carrier line
    return numbers(text);
}

// A standard NEC frame as a timings file's text.
inline std::string necTimings(unsigned address, unsigned command)
{
    std::string text = "carrier 38000\n9000 4500";
    const auto bits = [&](unsigned byte) {
        for (int b = 0; b < 8; ++b)
            text += (byte >> b) & 1 ? " 560 1690" : " 560 560";
    };
    bits(address);
    bits(~address & 0xFF);
    bits(command);
    bits(~command & 0xFF);
    return text + " 560\n";
}

class Cli : public RemoteFixture
{
protected:
    // A failed test shows every command it ran with its exit status and error output, so a
    // failure seen only on another machine still says why the tool refused.
    void TearDown() override
    {
        if (HasFailure())
            std::cerr << "commands run by this test:\n" << m_transcript;
        RemoteFixture::TearDown();
    }
    CliRun run(const std::string& arguments) { return runWith("", arguments); }
    // Runs with the language settings of the environment cleared and `environment` (VAR=value
    // words) set instead, as on a desktop set up that way.
    CliRun runWith(const std::string& environment, const std::string& arguments)
    {
        const std::string errPath = (statePath() / "stderr.txt").string();
        std::string languageOnly;
        if (!environment.empty()) {
#if defined(_WIN32)
            // cmd.exe has no env: the shell of this one command line clears and sets them.
            for (const char* cleared : {"QMV718_LANG", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
                languageOnly += std::string("set \"") + cleared + "=\" & ";
            std::istringstream words(environment);
            for (std::string word; words >> word;)
                languageOnly += "set \"" + word + "\" & ";
#else
            languageOnly = "env -u QMV718_LANG -u LC_ALL -u LC_MESSAGES -u LANGUAGE " + environment + " ";
#endif
        }
        CliRun result;
        result.status =
            runCommand(languageOnly + cliCommand(arguments) + " 2>" + quoted(errPath), &result.out);
        result.err = slurp(errPath);
        record(arguments, result);
        return result;
    }
    // Several commands started at the same moment, each its own process; their results in order.
    std::vector<CliRun> runTogether(const std::vector<std::string>& argumentLists)
    {
        // One thread per command, each waiting for its own process, so all start together.
        std::vector<CliRun> results(argumentLists.size());
        std::vector<std::thread> runners;
        for (std::size_t i = 0; i < argumentLists.size(); ++i)
            runners.emplace_back([&, i] {
                const std::string errPath = (statePath() / ("run-" + std::to_string(i) + ".err")).string();
                results[i].status =
                    runCommand(cliCommand(argumentLists[i]) + " 2>" + quoted(errPath), &results[i].out);
                results[i].err = slurp(errPath);
            });
        for (auto& runner : runners)
            runner.join();
        for (std::size_t i = 0; i < argumentLists.size(); ++i)
            record(argumentLists[i], results[i]);
        return results;
    }
    nlohmann::json info()
    {
        const CliRun r = run("info --json");
        EXPECT_EQ(r.status, 0) << r.err;
        return nlohmann::json::parse(r.out);
    }
    static const nlohmann::json& key(const nlohmann::json& report, const std::string& area,
                                     const std::string& code)
    {
        for (const auto& k : report["keys"])
            if (k["area"] == area && k["code"] == code)
                return k;
        throw std::runtime_error("no such key");
    }
    // A timings file of an NEC code in the test's folder.
    std::string necFile(unsigned address, unsigned command)
    {
        const std::string path =
            (statePath() / ("nec-" + std::to_string(address) + "-" + std::to_string(command) + ".txt"))
                .string();
        std::ofstream(path) << necTimings(address, command);
        return path;
    }
    std::string data(const std::string& name)
    {
        return testDataFolder() + "cli/" + name;
    }

private:
    void record(const std::string& arguments, const CliRun& result)
    {
        m_transcript += "  qmv718-cli " + arguments + "  -> exit " + std::to_string(result.status) + "\n";
        if (!result.err.empty())
            m_transcript += "    " + result.err;
    }
    static std::string cliCommand(const std::string& arguments)
    {
        return quoted(binFolder() + "qmv718-cli") + " " + arguments;
    }

    std::string m_transcript;
};

} // namespace qmv::test
