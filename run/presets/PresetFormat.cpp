// SPDX-License-Identifier: GPL-3.0-or-later
#include "PresetFormat.h"

#include "FieldCorrections.h"
#include "NewFilename.h"
#include "Stamps.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cmath>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kestrava::presets {

using namespace Qt::StringLiterals;

namespace {

using Problem = std::optional<QString>;

QString text(const char *source)
{
    return QCoreApplication::translate("kestrava::Presets", source);
}

/// One field of a preset file: its key, the JSON type its value must have, how
/// its value is written from the values, and how it is read into them,
/// corrected as the window corrects the control that holds it. A read that
/// corrects says how, without the key.
struct Field
{
    QString key;
    QJsonValue::Type type;
    std::function<QJsonValue(const PresetValues &)> write;
    std::function<Problem(PresetValues &, const QJsonValue &)> read;
};

/// A value as a person reads it in a message: a text in quotes, true, 5.
QString shown(const QJsonValue &value)
{
    const QByteArray json = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.sliced(1, json.size() - 2));
}

template<typename At>
Field flag(const char *key, At at)
{
    return {QLatin1StringView(key), QJsonValue::Bool, [at](const PresetValues &v) { return QJsonValue(at(v)); },
            [at](PresetValues &v, const QJsonValue &value) -> Problem {
                at(v) = value.toBool();
                return {};
            }};
}

/// A text; \a maxLength > 0 cuts it as a text box of that length would.
template<typename At>
Field textField(const char *key, At at, int maxLength = 0)
{
    return {QLatin1StringView(key), QJsonValue::String, [at](const PresetValues &v) { return QJsonValue(at(v)); },
            [at, maxLength](PresetValues &v, const QJsonValue &value) -> Problem {
                QString given = value.toString();
                if (maxLength <= 0 || given.size() <= maxLength) {
                    at(v) = given;
                    return {};
                }
                qsizetype length = maxLength;
                // A character outside the basic plane is two code units; never keep half of one.
                if (given.at(length - 1).isHighSurrogate())
                    --length;
                at(v) = given.left(length);
                return text(QT_TRANSLATE_NOOP("kestrava::Presets", "longer than %1 characters; cut to %1"))
                    .arg(maxLength);
            }};
}

template<typename Enum>
using Words = std::vector<std::pair<QString, Enum>>;

/// One of a few words, each standing for a value of \a Enum.
template<typename Enum, typename At>
Field wordField(const char *key, At at, Words<Enum> words)
{
    return {QLatin1StringView(key), QJsonValue::String,
            [at, words](const PresetValues &v) {
                for (const auto &[word, value] : words) {
                    if (value == at(v))
                        return QJsonValue(word);
                }
                return QJsonValue(words.front().first);
            },
            [at, words](PresetValues &v, const QJsonValue &value) -> Problem {
                QStringList known;
                for (const auto &[word, choice] : words) {
                    if (word == value.toString()) {
                        at(v) = choice;
                        return {};
                    }
                    known.append(word);
                }
                return text(QT_TRANSLATE_NOOP("kestrava::Presets", "%1 is not one of %2; left at \"%3\""))
                    .arg(shown(value), known.join(u", "), words.front().first);
            }};
}

/// A date format of the date lists, or the empty text for none chosen. A format
/// no list holds becomes the one a ticked date box shows first.
template<typename At>
Field dateFormatField(const char *key, At at)
{
    return {QLatin1StringView(key), QJsonValue::String, [at](const PresetValues &v) { return QJsonValue(at(v)); },
            [at](PresetValues &v, const QJsonValue &value) -> Problem {
                const QString format = value.toString();
                if (format.isEmpty() || dateFormats().contains(format)) {
                    at(v) = format;
                    return {};
                }
                at(v) = QStringLiteral("dd-mm-yy");
                return text(QT_TRANSLATE_NOOP("kestrava::Presets", "%1 is not a date format; taken as \"%2\""))
                    .arg(shown(value), at(v));
            }};
}

/// Reads a whole number as the window's field would correct it with \a correct:
/// the corrected text and, when it is not the number given, why.
std::pair<QString, Problem> wholeNumber(const QJsonValue &value, QString (*correct)(const QString &), int minimum,
                                        int maximum, const QString &held)
{
    const double number = value.toDouble();
    if (std::trunc(number) != number || std::abs(number) > 1e9)
        return {held, text(QT_TRANSLATE_NOOP("kestrava::Presets", "%1 is not a whole number; left at %2"))
                          .arg(shown(value), correct(held))};
    const int whole = int(number);
    const QString corrected = correct(QString::number(whole));
    if (whole >= minimum && whole <= maximum)
        return {corrected, {}};
    return {corrected, text(QT_TRANSLATE_NOOP("kestrava::Presets", "%1 is not %2 to %3; taken as %4"))
                           .arg(whole)
                           .arg(minimum)
                           .arg(maximum)
                           .arg(corrected.toInt())};
}

/// A whole number kept as a field's text, written and read as a number and
/// corrected by \a correct, the correction of the window's field; read, it is
/// written with at least \a width digits, as the field shows it.
template<typename At>
Field numberTextField(const char *key, At at, QString (*correct)(const QString &), int width, int minimum,
                      int maximum)
{
    return {QLatin1StringView(key), QJsonValue::Double,
            [at, correct](const PresetValues &v) { return QJsonValue(correct(at(v)).toInt()); },
            [at, correct, width, minimum, maximum](PresetValues &v, const QJsonValue &value) -> Problem {
                auto [corrected, problem] = wholeNumber(value, correct, minimum, maximum, at(v));
                at(v) = QStringLiteral("%1").arg(corrected.toInt(), width, 10, QChar(u'0'));
                return problem;
            }};
}

/// A whole number of an int field, corrected as numberTextField().
template<typename At>
Field numberField(const char *key, At at, QString (*correct)(const QString &), int minimum, int maximum)
{
    return {QLatin1StringView(key), QJsonValue::Double, [at](const PresetValues &v) { return QJsonValue(at(v)); },
            [at, correct, minimum, maximum](PresetValues &v, const QJsonValue &value) -> Problem {
                auto [corrected, problem] = wholeNumber(value, correct, minimum, maximum, QString::number(at(v)));
                at(v) = corrected.toInt();
                return problem;
            }};
}

QString countText(const QString &text)
{
    return correctedCountText(text);
}

/// The fields of a preset, in the order a file lists them. A new option is one
/// more row; a file without it reads it at its default.
const std::vector<Field> &fields()
{
    using S = SpaceConversion;
    using U = UnderscoreConversion;
    using C = CaseConversion;
    static const std::vector<Field> table = {
        // clang-format off
        flag("removeTildes", [](auto &v) -> auto & { return v.options.removeTildas; }),
        wordField<S>("spaces", [](auto &v) -> auto & { return v.options.spaces; },
            {{u"ignore"_s, S::Ignore}, {u"remove"_s, S::Remove}, {u"underscores"_s, S::ToUnderscores},
             {u"dashes"_s, S::ToDashes}, {u"dots"_s, S::ToDots}}),
        wordField<U>("underscores", [](auto &v) -> auto & { return v.options.underscores; },
            {{u"ignore"_s, U::Ignore}, {u"remove"_s, U::Remove}, {u"spaces"_s, U::ToSpaces},
             {u"dashes"_s, U::ToDashes}, {u"dots"_s, U::ToDots}}),
        wordField<C>("case", [](auto &v) -> auto & { return v.options.caseConversion; },
            {{u"ignore"_s, C::Ignore}, {u"capitalise"_s, C::Capitalise}, {u"lower"_s, C::Lowercase},
             {u"upper"_s, C::Uppercase}}),
        textField("find", [](auto &v) -> auto & { return v.options.findText; }, limits::maxTextLength),
        textField("replace", [](auto &v) -> auto & { return v.options.replaceText; }, limits::maxTextLength),
        flag("findIsRegex", [](auto &v) -> auto & { return v.options.findRegex; }),
        flag("findMatchCase", [](auto &v) -> auto & { return v.options.findMatchCase; }),
        wordField<WhenTaken>("whenNameTaken", [](auto &v) -> auto & { return v.options.whenTaken; },
            {{u"leave"_s, WhenTaken::Leave}, {u"number"_s, WhenTaken::Number}}),
        flag("trim", [](auto &v) -> auto & { return v.options.trimFilename; }),
        numberTextField("trimLength", [](auto &v) -> auto & { return v.options.trimLength; }, &correctedTrimText,
            1, limits::minTrimLength, limits::maxTrimLength),
        flag("prefix", [](auto &v) -> auto & { return v.options.prefixName; }),
        textField("prefixText", [](auto &v) -> auto & { return v.options.prefixText; }, limits::maxTextLength),
        flag("prefixCounter", [](auto &v) -> auto & { return v.options.prefixCounter; }),
        numberTextField("prefixCounterStart", [](auto &v) -> auto & { return v.prefixCountText; }, &countText,
            limits::maxCountLength, limits::minCounterStart, limits::maxCounterStart),
        flag("prefixDate", [](auto &v) -> auto & { return v.options.prefixDate; }),
        dateFormatField("prefixDateFormat", [](auto &v) -> auto & { return v.options.datePrefix; }),
        flag("postfix", [](auto &v) -> auto & { return v.options.postfixName; }),
        textField("postfixText", [](auto &v) -> auto & { return v.options.postfixText; }, limits::maxTextLength),
        flag("postfixCounter", [](auto &v) -> auto & { return v.options.postfixCounter; }),
        numberTextField("postfixCounterStart", [](auto &v) -> auto & { return v.postfixCountText; }, &countText,
            limits::maxCountLength, limits::minCounterStart, limits::maxCounterStart),
        flag("postfixDate", [](auto &v) -> auto & { return v.options.postfixDate; }),
        dateFormatField("postfixDateFormat", [](auto &v) -> auto & { return v.options.datePostfix; }),
        wordField<DateSource>("dateSource", [](auto &v) -> auto & { return v.options.dateSource; },
            {{u"today"_s, DateSource::Today}, {u"modified"_s, DateSource::Modified}, {u"taken"_s, DateSource::Taken}}),
        flag("dateFallbackToModified", [](auto &v) -> auto & { return v.options.dateFallback; }),
        flag("useTemplate", [](auto &v) -> auto & { return v.options.useTemplate; }),
        textField("nameTemplate", [](auto &v) -> auto & { return v.options.nameTemplate; }),
        wordField<NumberOrder>("numberOrder", [](auto &v) -> auto & { return v.options.numbering.order; },
            {{u"name"_s, NumberOrder::Name}, {u"natural"_s, NumberOrder::Natural},
             {u"modified"_s, NumberOrder::Modified}, {u"size"_s, NumberOrder::Size}, {u"taken"_s, NumberOrder::Taken}}),
        flag("reverseOrder", [](auto &v) -> auto & { return v.options.numbering.reverse; }),
        numberField("counterStep", [](auto &v) -> auto & { return v.options.numbering.step; }, &correctedStepText,
            limits::minCounterStep, limits::maxCounterStep),
        numberField("counterDigits", [](auto &v) -> auto & { return v.options.numbering.digits; },
            &correctedDigitsText, limits::minCounterDigits, limits::maxCounterDigits),
        flag("counterPerFolder", [](auto &v) -> auto & { return v.options.numbering.perFolder; }),
        // clang-format on
    };
    return table;
}

const QString versionKey = QStringLiteral("formatVersion");

QString typeWord(QJsonValue::Type type)
{
    switch (type) {
    case QJsonValue::Bool:
        return text(QT_TRANSLATE_NOOP("kestrava::Presets", "true or false"));
    case QJsonValue::Double:
        return text(QT_TRANSLATE_NOOP("kestrava::Presets", "a number"));
    default:
        return text(QT_TRANSLATE_NOOP("kestrava::Presets", "a text"));
    }
}

QString line(const QString &key, const QString &problem)
{
    return QStringLiteral("\"%1\": %2").arg(key, problem);
}

} // namespace

QStringList fieldKeys()
{
    QStringList keys{versionKey};
    for (const Field &field : fields())
        keys.append(field.key);
    return keys;
}

QByteArray toJson(const PresetValues &values)
{
    // Written by hand rather than through QJsonObject, which would sort the
    // keys: the table's order keeps what belongs together together.
    QByteArray json = "{\n    \"" + versionKey.toUtf8() + "\": " + QByteArray::number(formatVersion);
    for (const Field &field : fields())
        json += ",\n    \"" + field.key.toUtf8() + "\": " + shown(field.write(values)).toUtf8();
    return json + "\n}\n";
}

ReadPreset fromJson(const QByteArray &bytes)
{
    ReadPreset preset;
    if (bytes.trimmed().isEmpty()) {
        preset.problems.append(
            text(QT_TRANSLATE_NOOP("kestrava::Presets", "The file is empty; every option is left at its default.")));
        return preset;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        preset.problems.append(
            text(QT_TRANSLATE_NOOP("kestrava::Presets",
                                   "The file is not a JSON object (%1 at byte %2); every option is left at its default."))
                .arg(error.error != QJsonParseError::NoError ? error.errorString() : QStringLiteral("no object"))
                .arg(error.offset));
        return preset;
    }
    const QJsonObject object = document.object();
    const QJsonValue version = object.value(versionKey);
    if (!version.isUndefined() && (!version.isDouble() || version.toDouble() != formatVersion)) {
        preset.problems.append(line(
            versionKey, text(QT_TRANSLATE_NOOP("kestrava::Presets", "%1 is not a format this version reads (%2); "
                                                                    "the options it knows are read"))
                            .arg(shown(version))
                            .arg(formatVersion)));
    }
    const PresetValues defaults;
    for (const Field &field : fields()) {
        const QJsonValue value = object.value(field.key);
        if (value.isUndefined())
            continue;
        if (value.type() != field.type) {
            preset.problems.append(
                line(field.key, text(QT_TRANSLATE_NOOP("kestrava::Presets", "%1 is not %2; left at %3"))
                                    .arg(shown(value), typeWord(field.type), shown(field.write(defaults)))));
            continue;
        }
        if (const Problem problem = field.read(preset.values, value))
            preset.problems.append(line(field.key, *problem));
    }
    const QStringList known = fieldKeys();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (!known.contains(it.key()))
            preset.problems.append(
                line(it.key(), text(QT_TRANSLATE_NOOP("kestrava::Presets", "not an option Kestrava knows; ignored"))));
    }
    // A pattern that does not compile would leave every file alone.
    if (const std::optional<QString> patternError = findPatternError(preset.values.options)) {
        preset.values.options.findText.clear();
        preset.problems.append(
            line(QStringLiteral("find"), text(QT_TRANSLATE_NOOP("kestrava::Presets", "%1; left empty")).arg(*patternError)));
    }
    return preset;
}

} // namespace kestrava::presets
