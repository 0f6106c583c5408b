#pragma once

#include "editor/user_dialogs.h"
#include "runtime/failure.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace netedit::testing {

// Answers the window's dialogs from a script and records what it was asked.
class ScriptedDialogs : public UserDialogs {
public:
    struct Question {
        std::string text;
        MsgKind kind;
        unsigned buttonSet;
    };

    std::deque<std::optional<std::string>> openAnswers; // nullopt = cancelled
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<int> askAnswers;

    std::vector<std::pair<std::string, std::string>> openRequests; // directory, file name
    std::vector<std::pair<std::string, std::string>> saveRequests;
    std::vector<Question> questions;
    std::vector<std::string> notices;
    std::vector<std::string> failures; // code page 932 messages
    std::vector<std::string> helpRequests;
    // Runs while a dialog would be open, to look at the window behind it.
    std::function<void()> whileAsking;

    std::optional<std::string> chooseOpenFile(const std::string& directory,
                                              const std::string& fileName) override {
        openRequests.emplace_back(directory, fileName);
        return take(openAnswers);
    }
    std::optional<std::string> chooseSaveFile(const std::string& directory,
                                              const std::string& fileName) override {
        saveRequests.emplace_back(directory, fileName);
        return take(saveAnswers);
    }
    int askUser(const std::string& text, MsgKind kind, unsigned buttonSet) override {
        questions.push_back({text, kind, buttonSet});
        if (whileAsking) {
            whileAsking();
        }
        if (askAnswers.empty()) {
            return results::Cancel;
        }
        const int answer = askAnswers.front();
        askAnswers.pop_front();
        return answer;
    }
    void showNotice(const std::string& text) override { notices.push_back(text); }
    void reportFailure(const Failure& failure) override { failures.push_back(failure.message()); }
    void showHelp(const std::string& path) override { helpRequests.push_back(path); }

private:
    static std::optional<std::string> take(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace netedit::testing
