#include "cli/BashCompletion.h"

namespace orvane {

namespace {

// The long names of a command's options, separated by blanks.
std::string optionNames(const CLI::App& command) {
    std::string names;
    for (const CLI::Option* option : command.get_options()) {
        if (option->get_positional()) continue;
        for (const std::string& name : option->get_lnames()) names += (names.empty() ? "--" : " --") + name;
    }
    return names;
}

// Options that take a file: completing their value completes a path.
std::string fileOptions(const CLI::App& command) {
    std::string names;
    for (const CLI::Option* option : command.get_options())
        if (!option->get_positional() && option->get_type_name() == "FILE")
            for (const std::string& name : option->get_lnames()) names += (names.empty() ? "--" : "|--") + name;
    return names;
}

} // namespace

std::string bashCompletion(const CLI::App& program, const std::vector<std::string>& reportCaptions) {
    std::string commands;
    for (const CLI::App* command : program.get_subcommands({}))
        commands += (commands.empty() ? "" : " ") + command->get_name();
    std::string script = "# bash completion for orvane, made by the program from its own commands\n"
                         "_orvane() {\n"
                         "    local cur prev command\n"
                         "    cur=\"${COMP_WORDS[COMP_CWORD]}\"\n"
                         "    prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
                         "    command=\"${COMP_WORDS[1]}\"\n"
                         "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
                         "        COMPREPLY=($(compgen -W \"" +
                         commands + " " + optionNames(program) +
                         "\" -- \"$cur\"))\n"
                         "        return\n"
                         "    fi\n"
                         "    case \"$command\" in\n";
    for (const CLI::App* command : program.get_subcommands({})) {
        script += "    " + command->get_name() + ")\n";
        if (const std::string files = fileOptions(*command); !files.empty())
            script +=
                "        case \"$prev\" in " + files + ") COMPREPLY=($(compgen -f -- \"$cur\")); return ;; esac\n";
        if (command->get_name() == "report") {
            // The captions hold blanks: each is offered whole, in quotes,
            // matched against what is typed after an opening quote.
            std::string list;
            for (const std::string& caption : reportCaptions) {
                if (!list.empty()) list += "\\n";
                for (char c : caption) {
                    if (c == '\'' || c == '\\') list += '\\';
                    list += c;
                }
            }
            script += "        if [[ \"$cur\" != -* ]]; then\n"
                      "            local IFS=$'\\n' caption typed=\"${cur#[\\\"\\']}\"\n"
                      "            local captions=$'" +
                      list +
                      "'\n"
                      "            COMPREPLY=()\n"
                      "            for caption in $captions; do\n"
                      "                [[ \"$caption\" == \"$typed\"* ]] && COMPREPLY+=(\"\\\"$caption\\\"\")\n"
                      "            done\n"
                      "            [ ${#COMPREPLY[@]} -gt 0 ] && return\n"
                      "        fi\n";
        }
        script += "        COMPREPLY=($(compgen -W \"" + optionNames(*command) + "\" -- \"$cur\")) ;;\n";
    }
    script += "    esac\n"
              "}\n"
              "complete -F _orvane orvane\n";
    return script;
}

} // namespace orvane
