#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tarvik {

class frmMain;

// A command word and what it does with the whole line.
struct ConsoleCommand {
    const char *word;
    std::function<void(const std::string &cmd)> run;
};

// The console's command set: each line is matched against the command words
// in table order and runs the first that matches.
class CommandInterpreter {
public:
    explicit CommandInterpreter(frmMain &console);

    // More command words, from the part of the program that owns them.
    void add(std::vector<ConsoleCommand> commands);

    // Runs one line. A fault is reported as "Error occured: <description>."
    // and the result is false; otherwise true.
    bool run(const std::string &cmd);

private:
    void print(const std::string &line);

    void subhttp(const std::string &cmd);
    void qm(const std::string &cmd);
    void hserver(const std::string &cmd);
    void gethserver(const std::string &cmd);
    void lt(const std::string &cmd);
    void copy(const std::string &cmd);
    void tc(const std::string &cmd);
    void qt(const std::string &cmd);
    void pr(const std::string &cmd);
    void ft(const std::string &cmd);
    void st(const std::string &cmd);
    void exit(const std::string &cmd);
    void help(const std::string &cmd);

    frmMain &m_console;
    std::vector<ConsoleCommand> m_commands;
};

} // namespace tarvik
