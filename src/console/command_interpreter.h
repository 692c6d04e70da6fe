#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tarvik {

class frmMain;

// The console's command set: each line is matched against the command words
// in table order and runs the first that matches.
class CommandInterpreter {
public:
    explicit CommandInterpreter(frmMain &console);

    // Runs one line. A fault is reported as "Error occured: <description>."
    // and the result is false; otherwise true.
    bool run(const std::string &cmd);

private:
    using Handler = void (CommandInterpreter::*)(const std::string &cmd);
    struct Command {
        const char *word;
        Handler handler;
    };
    static const std::vector<Command> &commands();

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
};

} // namespace tarvik
