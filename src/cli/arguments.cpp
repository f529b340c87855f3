#include "cli/arguments.h"

#include "race/textutil.h"

#include <cmath>

namespace cli {
namespace {

const Option* findOption(const std::vector<Option>& options, const QString& name)
{
    for (const Option& option : options)
        if (option.name == name) return &option;
    return nullptr;
}

// The problem with one value of an option, or empty when the value is taken.
QString checkValue(const Option& option, const QString& value, const Arguments& parsed)
{
    if (!option.isFlag() && !option.repeatable && parsed.isSet(option.name))
        return QStringLiteral("オプション %1 は一度だけ指定できます").arg(option.name);
    if (option.accepts && !option.accepts(value)) {
        return QStringLiteral("オプション %1 の値が正しくありません: %2 (指定できる値: %3)")
            .arg(option.name, value, option.allowed);
    }
    return QString();
}

// Takes the option word at words[i] (and its value, which may be the next word); the problem
// when it cannot.
QString takeOption(const QStringList& words, int& i, const std::vector<Option>& options,
                   Arguments& parsed)
{
    const QString& word = words[i];
    const int equals = word.indexOf(QLatin1Char('='));
    const QString name = equals < 0 ? word : word.left(equals);
    const Option* option = findOption(options, name);
    if (!option) return QStringLiteral("不明なオプションです: %1").arg(name);
    QString value;
    if (option->isFlag()) {
        if (equals >= 0)
            return QStringLiteral("オプション %1 には値を付けられません: %2").arg(name, word);
    } else if (equals >= 0) {
        value = word.mid(equals + 1);
    } else if (i + 1 < words.size()) {
        value = words[++i];
    } else {
        return QStringLiteral("オプション %1 には値 %2 が必要です").arg(name, option->valueName);
    }
    const QString problem = checkValue(*option, value, parsed);
    if (problem.isEmpty()) parsed.add(name, value);
    return problem;
}

}  // namespace

QString Option::usage() const
{
    QString text = QLatin1Char('[') + name;
    if (!isFlag()) text += QLatin1Char(' ') + valueName;
    text += QLatin1Char(']');
    if (repeatable) text += QStringLiteral("...");
    return text;
}

Option Flag(const QString& name)
{
    return Option{name, QString(), QString(), {}, false};
}

Option TextOption(const QString& name, const QString& valueName, bool repeatable)
{
    return Option{name, valueName, QString(), {}, repeatable};
}

Option ChoiceOption(const QString& name, const QStringList& words,
                    Qt::CaseSensitivity caseSensitivity)
{
    auto accepts = [words, caseSensitivity](const QString& value) {
        return words.contains(value, caseSensitivity);
    };
    return Option{name, words.join(QLatin1Char('|')), words.join(QStringLiteral(", ")), accepts,
                  false};
}

Option WholeNumberOption(const QString& name, int lowest, int highest)
{
    const QString range = QStringLiteral("%1..%2").arg(lowest).arg(highest);
    auto accepts = [lowest, highest](const QString& value) {
        if (!CbasGeneral::IsNumeric(value)) return false;
        const double number = CbasGeneral::Val(value);
        return number == std::floor(number) && number >= lowest && number <= highest;
    };
    return Option{name, range, range + QStringLiteral(" の整数"), accepts, false};
}

Option NumberOption(const QString& name, const QString& valueName, const QString& allowed,
                    const std::function<bool(double)>& test)
{
    auto accepts = [test](const QString& value) {
        return CbasGeneral::IsNumeric(value) && (!test || test(CbasGeneral::Val(value)));
    };
    return Option{name, valueName, allowed, accepts, false};
}

QString Arguments::value(const QString& name) const
{
    const auto found = given_.find(name);
    return found == given_.end() ? QString() : found->second.last();
}

QStringList Arguments::values(const QString& name) const
{
    const auto found = given_.find(name);
    return found == given_.end() ? QStringList() : found->second;
}

double Arguments::number(const QString& name) const
{
    return CbasGeneral::Val(value(name));
}

ParseResult ParseArguments(const QStringList& words, const std::vector<Option>& options,
                           const QStringList& positionalNames)
{
    ParseResult result;
    Arguments parsed;
    const bool anyMore =
        !positionalNames.isEmpty() && positionalNames.last().endsWith(QLatin1String("...]"));
    const qsizetype required = positionalNames.size() - (anyMore ? 1 : 0);
    bool optionsEnded = false;
    for (int i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (!optionsEnded && word == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && word.startsWith(QLatin1String("--"))) {
            result.error = takeOption(words, i, options, parsed);
            if (!result.error.isEmpty()) return result;
        } else if (parsed.positional.size() < required || anyMore) {
            parsed.positional << word;
        } else {
            result.error = QStringLiteral("余分な引数があります: %1").arg(word);
            return result;
        }
    }
    if (parsed.positional.size() < required) {
        result.error =
            QStringLiteral("引数が足りません: %1")
                .arg(positionalNames
                         .mid(parsed.positional.size(), required - parsed.positional.size())
                         .join(' '));
        return result;
    }
    result.arguments = std::move(parsed);
    return result;
}

}  // namespace cli
