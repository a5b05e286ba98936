#include "tools/progman/progman_commands.h"

#include <cctype>

namespace {

constexpr size_t kMaxText = 8192;
constexpr size_t kMaxName = 32;
constexpr size_t kMaxArgument = 1024;
constexpr size_t kMaxArguments = 12;
constexpr size_t kMaxCommands = 64;

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    bool Commands(std::vector<ProgmanCommand>* commands) {
        SkipBlanks();
        while (pos_ < text_.size()) {
            ProgmanCommand command;
            if (commands->size() == kMaxCommands || !Command(&command)) return false;
            commands->push_back(std::move(command));
            SkipBlanks();
        }
        return !commands->empty();
    }

private:
    // [Name] or [Name(args)]; anything after the closing parenthesis but blanks is refused, as the shell does.
    bool Command(ProgmanCommand* command) {
        if (!Take('[')) return false;
        SkipBlanks();
        while (pos_ < text_.size() && isalpha(static_cast<unsigned char>(text_[pos_]))) command->name += text_[pos_++];
        if (command->name.empty() || command->name.size() > kMaxName) return false;
        SkipBlanks();
        if (Take('(') && !Arguments(command)) return false;
        SkipBlanks();
        return Take(']');
    }

    // Arguments up to and including the closing parenthesis.
    bool Arguments(ProgmanCommand* command) {
        for (;;) {
            std::string argument;
            SkipBlanks();
            if (Peek() == '"') {
                ++pos_;
                while (pos_ < text_.size() && text_[pos_] != '"') {
                    if (!Acceptable(text_[pos_])) return false;
                    argument += text_[pos_++];
                }
                if (!Take('"')) return false;
                SkipBlanks();
            } else {
                while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != ')') {
                    char c = text_[pos_++];
                    if (!Acceptable(c) || c == '"' || c == '(' || c == ')' || c == '[' || c == ']') return false;
                    argument += c;
                }
                while (!argument.empty() && argument.back() == ' ') argument.pop_back();
            }
            if (argument.size() > kMaxArgument || command->args.size() == kMaxArguments) return false;
            command->args.push_back(std::move(argument));
            if (Take(')')) return true;
            if (!Take(',')) return false;
        }
    }

    static bool Acceptable(char c) { return static_cast<unsigned char>(c) >= 0x20 || c == '\t'; }
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    bool Take(char c) {
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' || text_[pos_] == '\n'))
            ++pos_;
    }

    const std::string& text_;
    size_t pos_ = 0;
};

}  // namespace

bool ParseProgmanCommands(const std::string& text, std::vector<ProgmanCommand>* commands) {
    commands->clear();
    if (text.size() > kMaxText || !Parser(text).Commands(commands)) {
        commands->clear();
        return false;
    }
    return true;
}
