#pragma once
// The one parser of the command lines of splitduel-cli. Every command declares its options; the
// parser takes "--name VALUE" and "--name=VALUE" alike, checks every value against what its
// option allows, and names the word it refuses together with what would have been accepted, so
// that every command words each error the same way.
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace cli {

struct Option {
    QString name;       // with its dashes: "--zoom"
    QString valueName;  // shown in the usage ("PERCENT", "0..3"); empty for a flag
    QString allowed;    // what a value may be, told when one is refused; empty for any value
    std::function<bool(const QString&)> accepts;  // empty: every value
    bool repeatable = false;  // a value option that is not may be given once; a flag any time

    bool isFlag() const { return valueName.isEmpty(); }
    // "[--zoom PERCENT]", "[--landscape]", "[--class NAME]..."
    QString usage() const;
};

// An option without a value.
Option Flag(const QString& name);
// An option taking any text.
Option TextOption(const QString& name, const QString& valueName, bool repeatable = false);
// An option taking one of the words (letter case ignored when caseSensitivity says so).
Option ChoiceOption(const QString& name, const QStringList& words,
                    Qt::CaseSensitivity caseSensitivity = Qt::CaseSensitive);
// An option taking a whole number from lowest to highest.
Option WholeNumberOption(const QString& name, int lowest, int highest);
// An option taking a decimal number (the whole text a number) that passes the test, if any;
// allowed says which numbers pass.
Option NumberOption(const QString& name, const QString& valueName,
                    const QString& allowed = QStringLiteral("数値"),
                    const std::function<bool(double)>& test = {});

// The words of a command line, sorted out by the command's options.
class Arguments {
public:
    QStringList positional;

    bool isSet(const QString& name) const { return given_.count(name) > 0; }
    // The value given to the option; empty when it was not given.
    QString value(const QString& name) const;
    // Every value given to a repeatable option, in the order given.
    QStringList values(const QString& name) const;
    // The value of a number option as a number; 0 when it was not given.
    double number(const QString& name) const;
    void add(const QString& name, const QString& value) { given_[name] << value; }

private:
    std::map<QString, QStringList> given_;
};

struct ParseResult {
    std::optional<Arguments> arguments;  // none when a word was refused
    QString error;                       // then the message naming it
};

// Sorts the words into options and positional arguments, one of the latter for each of the
// positional names ("RACE", "OUT.pdf", named when missing); a last name ending in "...]"
// ("[ARG...]") takes every further word, none included. A word starting with "--" is an
// option and the word after an option that takes a value is that value; after a word "--"
// every word is positional.
ParseResult ParseArguments(const QStringList& words, const std::vector<Option>& options,
                           const QStringList& positionalNames);

}  // namespace cli
