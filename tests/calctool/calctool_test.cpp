// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the built CalcTool over pipes, as a document does.

#include "plist/xmlreader.h"
#include "plist/xmlwriter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <limits>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct ToolRun {
    std::string out;
    std::string err;
    int exitStatus = -1;
};

// Runs CalcTool with the arguments, feeds it the input, and collects everything it writes.
ToolRun RunTool(const std::vector<std::string>& arguments, const std::string& input) {
    // A tool that refuses its arguments ends without reading: writing to it must fail with
    // EPIPE rather than end the test process.
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    EXPECT_EQ(pipe(in), 0);
    EXPECT_EQ(pipe(out), 0);
    EXPECT_EQ(pipe(err), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
        posix_spawn_file_actions_addclose(&actions, fd);

    std::vector<char*> argv{const_cast<char*>(CALCTOOL_PATH)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, CALCTOOL_PATH, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    close(err[1]);

    // Write and read together so that neither side can fill a pipe and stall.
    ToolRun run;
    std::size_t written = 0;
    if (input.empty())
        close(in[1]);
    bool inputOpen = !input.empty(), outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
        poll(fds, inputOpen ? 3 : 2, 5000);
        char buffer[4096];
        for (int i = 0; i < 2; ++i) {
            bool& open = i == 0 ? outOpen : errOpen;
            if (open && (fds[i].revents & (POLLIN | POLLHUP))) {
                ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
                if (n <= 0)
                    open = false;
                else
                    (i == 0 ? run.out : run.err).append(buffer, n);
            }
        }
        if (inputOpen && (fds[2].revents & (POLLOUT | POLLERR))) {
            ssize_t n = write(in[1], input.data() + written, input.size() - written);
            written += n > 0 ? n : 0;
            if (n <= 0 || written == input.size()) {
                close(in[1]);
                inputOpen = false;
            }
        }
    }
    close(out[0]);
    close(err[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

// Splits the tool's output into its replies; fails the test if anything else is there.
std::vector<plist::Dictionary> Replies(std::string out) {
    std::vector<plist::Dictionary> replies;
    plist::IncrementalXmlReader reader;
    while (!out.empty()) {
        auto status = reader.feed(out);
        EXPECT_EQ(status, plist::IncrementalXmlReader::Status::Complete) << reader.error();
        if (status != plist::IncrementalXmlReader::Status::Complete)
            break;
        plist::Value reply = reader.takeValue();
        EXPECT_TRUE(reply.isDictionary());
        if (reply.dictionary())
            replies.push_back(*reply.dictionary());
        out.erase(0, reader.endOffset());
        if (out.find_first_not_of("\n") == std::string::npos)
            break;
        reader.reset();
    }
    return replies;
}

std::string Xml(plist::Dictionary dictionary) { return plist::writeXml(plist::Value(dictionary)); }

std::int64_t IntegerOf(const plist::Dictionary& reply, const char* key) {
    auto found = reply.find(key);
    return found == reply.end() ? -1 : found->second.integer().value_or(-1);
}

const std::string kNoVariables = Xml({});
const std::string kNoFunctions = Xml({});

TEST(CalcTool, AnswersEachLineFromItsSeededState) {
    // An unsigned 64-bit integer, as macOS writes it, seeds the nearest real.
    const std::string variables =
        Xml({{"x", plist::Value(2.0)},
             {"n", plist::Value(3)},
             {"u", plist::Value::fromUnsigned(std::numeric_limits<std::uint64_t>::max())}});
    const std::string functions =
        Xml({{"f", plist::Value(plist::Array{plist::Value("x^2"), plist::Value("x")})}});
    struct Row {
        const char* line;
        int kind;
        double result;
        const char* symbol; // nullptr: no Symbol key
        int stop;
    };
    const Row rows[] = {
        {"x*3", 1, 6, "", 3},
        {"f(n)", 1, 9, "", 4},
        {"y = last + 1", 1, 10, "y", 12},
        {"y", 1, 10, "", 1},
        {"g(a) = a + y", 2, 0, "g", 12},
        {"g(1)", 1, 11, "", 4},
        {"2 +", 0, 0, nullptr, 2},
        {"\xCF\x80 + )", 0, 0, nullptr, 3}, // stop counts bytes: "π" is two
        {"   ", 0, 0, nullptr, 3},
        {"u", 1, 18446744073709551616.0, "", 1},
    };
    std::string input;
    for (const Row& row : rows)
        input += std::string(row.line) + "\n";

    ToolRun run = RunTool({variables, functions}, input);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    std::vector<plist::Dictionary> replies = Replies(run.out);
    ASSERT_EQ(replies.size(), std::size(rows));
    for (std::size_t i = 0; i < replies.size(); ++i) {
        const Row& row = rows[i];
        const plist::Dictionary& reply = replies[i];
        SCOPED_TRACE(row.line);
        EXPECT_EQ(IntegerOf(reply, "ResultKind"), row.kind);
        EXPECT_EQ(IntegerOf(reply, "Stop"), row.stop);
        if (row.kind == 1) {
            EXPECT_EQ(reply.at("Result").real(), row.result);
        }
        if (row.symbol) {
            EXPECT_EQ(*reply.at("Symbol").string(), row.symbol);
        } else {
            EXPECT_FALSE(reply.contains("Symbol"));
        }
    }
}

TEST(CalcTool, RefusesArgumentsItCannotRead) {
    const struct {
        const char* name;
        std::vector<std::string> arguments;
    } rows[] = {
        {"no arguments", {}},
        {"one argument", {kNoVariables}},
        {"malformed property list", {"<plist><dict>", kNoFunctions}},
        {"root is not a dictionary", {kNoVariables, plist::writeXml(plist::Value(plist::Array{}))}},
        {"missing file", {"@/nonexistent/figurello-variables.plist", kNoFunctions}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ToolRun run = RunTool(row.arguments, "1+1\n");
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("CalcTool"), std::string::npos) << run.err;
    }
}

// One program argument may not exceed 128 KiB on Linux; a large state goes through a file.
TEST(CalcTool, ReadsAStateTooLargeForTheCommandLineFromAFile) {
    plist::Dictionary variables;
    for (int i = 0; i < 5000; ++i)
        variables.emplace("variable" + std::to_string(i), plist::Value(double(i)));
    const std::string text = Xml(variables);
    ASSERT_GT(text.size(), 128u * 1024);
    const auto path = std::filesystem::temp_directory_path() /
                      ("calctool-test-" + std::to_string(getpid()) + ".plist");
    std::ofstream(path) << text;

    ToolRun run = RunTool({"@" + path.string(), kNoFunctions}, "variable4999 + 1\n");
    std::filesystem::remove(path);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    std::vector<plist::Dictionary> replies = Replies(run.out);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].at("Result").real(), 5000.0);
}

// Deep recursion is answered; recursion or nesting beyond the engine's bounds is an error
// reply, never a crash, and the tool goes on answering.
TEST(CalcTool, AnswersDeepRecursionAndRefusesRunawayRecursion) {
    const std::string input = "sum(n) = if(n, n + sum(n-1), 0)\n"
                              "sum(500)\n"
                              "loop(x) = loop(x)\n"
                              "loop(1)\n" +
                              std::string(100000, '(') + "1" + std::string(100000, ')') + "\n" +
                              std::string(1000, '(') + "last" + std::string(1000, ')') + "\n";
    ToolRun run = RunTool({kNoVariables, kNoFunctions}, input);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    std::vector<plist::Dictionary> replies = Replies(run.out);
    ASSERT_EQ(replies.size(), 6u);
    EXPECT_EQ(replies[1].at("Result").real(), 125250.0);
    for (int failed : {3, 4}) {
        EXPECT_EQ(IntegerOf(replies[failed], "ResultKind"), 0);
        EXPECT_EQ(IntegerOf(replies[failed], "Stop"), 0);
    }
    EXPECT_EQ(replies[5].at("Result").real(), 125250.0);
    EXPECT_EQ(IntegerOf(replies[5], "Stop"), 2004);
}

TEST(CalcTool, HelpExplainsTheFileArgument) {
    ToolRun run = RunTool({"--help"}, "");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.out.find("@PATH"), std::string::npos);
}

} // namespace
