// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameTemplate.h"

#include <QHash>
#include <QTest>

using namespace kestrava;

namespace {

// One file's values, made up: every field has one unless the row takes it away.
class MadeUpValues : public TemplateValues
{
public:
    QHash<TemplateField, QString> texts{
        {TemplateField::Name, QStringLiteral("IMG_0042")},       {TemplateField::Ext, QStringLiteral(".jpg")},
        {TemplateField::Folder, QStringLiteral("Holiday")},      {TemplateField::Counter, QStringLiteral("0007")},
        {TemplateField::Camera, QStringLiteral("Canon EOS 5D")}, {TemplateField::Artist, QStringLiteral("Nina")},
        {TemplateField::Album, QStringLiteral("Blue")},          {TemplateField::Title, QStringLiteral("Rain")},
        {TemplateField::Genre, QStringLiteral("Jazz")},
    };
    QHash<TemplateField, qint64> numbers{{TemplateField::Width, 4000},
                                         {TemplateField::Height, 3000},
                                         {TemplateField::Track, 3},
                                         {TemplateField::Year, 1999}};
    QHash<TemplateField, QDateTime> dates{
        {TemplateField::Modified, QDateTime(QDate(2021, 1, 2), QTime(3, 4, 5), Qt::UTC)},
        {TemplateField::Taken, QDateTime(QDate(2019, 7, 14), QTime(10, 11, 12), Qt::UTC)}};

    void remove(TemplateField field)
    {
        texts.remove(field);
        numbers.remove(field);
        dates.remove(field);
    }

    std::optional<QString> text(TemplateField field) const override
    {
        return texts.contains(field) ? std::optional(texts.value(field)) : std::nullopt;
    }
    std::optional<qint64> number(TemplateField field) const override
    {
        return numbers.contains(field) ? std::optional(numbers.value(field)) : std::nullopt;
    }
    std::optional<QDateTime> dateTime(TemplateField field) const override
    {
        return dates.contains(field) ? std::optional(dates.value(field)) : std::nullopt;
    }
};

QString expanded(const QString &text, const MadeUpValues &values)
{
    const auto parsed = NameTemplate::parse(text);
    if (!parsed)
        return QStringLiteral("error: ") + parsed.error().message;
    const auto name = parsed->expand(values);
    return name ? *name : QStringLiteral("missing: ") + name.error().mark();
}

} // namespace

class TestNameTemplate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fields_data();
    void fields();
    void missingFields_data();
    void missingFields();
    void badTemplates_data();
    void badTemplates();
    void placeholders_data();
    void placeholders();
    void unsafeCharactersInValues();
};

void TestNameTemplate::fields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");

    QTest::newRow("plain text") << "holiday"
                                << "holiday";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("name") << "{name}"
                          << "IMG_0042";
    QTest::newRow("ext") << "x{ext}"
                         << "x.jpg";
    QTest::newRow("folder") << "{folder} {name}"
                            << "Holiday IMG_0042";
    QTest::newRow("counter") << "{counter}-{name}"
                             << "0007-IMG_0042";
    QTest::newRow("modified") << "{modified:yyyymmdd}"
                              << "20210102";
    QTest::newRow("modified with time") << "{modified:yyyy-mm-dd hh.mm.ss}"
                                        << "2021-01-02 03.04.05";
    QTest::newRow("taken") << "{taken:yyyy-mm-dd}"
                           << "2019-07-14";
    QTest::newRow("taken in an old format") << "{taken:dd-mm-yy}"
                                            << "14-7-19";
    QTest::newRow("taken without format") << "{taken}"
                                          << "2019-07-14";
    QTest::newRow("camera") << "{camera}"
                            << "Canon EOS 5D";
    QTest::newRow("width and height") << "{width}x{height}"
                                      << "4000x3000";
    QTest::newRow("artist") << "{artist}"
                            << "Nina";
    QTest::newRow("album") << "{album}"
                           << "Blue";
    QTest::newRow("title") << "{title}"
                           << "Rain";
    QTest::newRow("track") << "{track}"
                           << "3";
    QTest::newRow("track padded") << "{track:2}"
                                  << "03";
    QTest::newRow("track padded to 3") << "{track:3}"
                                       << "003";
    QTest::newRow("year") << "{year}"
                          << "1999";
    QTest::newRow("genre") << "{genre}"
                           << "Jazz";
    QTest::newRow("the example") << "{taken:yyyy-mm-dd} {artist} - {track:2} {title}"
                                 << "2019-07-14 Nina - 03 Rain";
    QTest::newRow("doubled braces") << "{{{artist}}}"
                                    << "{Nina}";
    QTest::newRow("same field twice") << "{artist}{artist}"
                                      << "NinaNina";
}

void TestNameTemplate::fields()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QCOMPARE(expanded(text, MadeUpValues()), name);
}

void TestNameTemplate::missingFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TemplateField>("gone");
    QTest::addColumn<QString>("mark");

    QTest::newRow("name") << "{name}" << TemplateField::Name << "no name";
    QTest::newRow("folder") << "{folder}" << TemplateField::Folder << "no folder";
    QTest::newRow("modified") << "{modified:yyyymmdd}" << TemplateField::Modified << "no date modified";
    QTest::newRow("taken") << "{taken:yyyymmdd}" << TemplateField::Taken << "no date taken";
    QTest::newRow("camera") << "{camera}" << TemplateField::Camera << "no camera";
    QTest::newRow("width") << "{width}" << TemplateField::Width << "no width";
    QTest::newRow("height") << "{height}" << TemplateField::Height << "no height";
    QTest::newRow("artist") << "{artist} - {title}" << TemplateField::Artist << "no artist";
    QTest::newRow("album") << "{album}" << TemplateField::Album << "no album";
    QTest::newRow("title") << "{artist} - {title}" << TemplateField::Title << "no title";
    QTest::newRow("track") << "{track:2}" << TemplateField::Track << "no track";
    QTest::newRow("year") << "{year}" << TemplateField::Year << "no year";
    QTest::newRow("genre") << "{genre}" << TemplateField::Genre << "no genre";
}

void TestNameTemplate::missingFields()
{
    QFETCH(QString, text);
    QFETCH(TemplateField, gone);
    QFETCH(QString, mark);
    MadeUpValues values;
    values.remove(gone);
    QCOMPARE(expanded(text, values), QStringLiteral("missing: ") + mark);
    // A field the template does not hold may be missing.
    QCOMPARE(expanded(QStringLiteral("{ext}"), values), QStringLiteral(".jpg"));
}

void TestNameTemplate::badTemplates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TemplateError::Cause>("cause");
    QTest::addColumn<QString>("message");

    const QString fields = "the fields are {name}, {ext}, {folder}, {counter}, {modified}, {taken}, {camera}, "
                           "{width}, {height}, {artist}, {album}, {title}, {track}, {year}, {genre}";
    QTest::newRow("misspelt field") << "{artst} - {title}" << TemplateError::Cause::UnknownField
                                    << "Unknown field \"{artst}\"; " + fields;
    QTest::newRow("upper case") << "{Artist}" << TemplateError::Cause::UnknownField
                                << "Unknown field \"{Artist}\"; " + fields;
    QTest::newRow("empty braces") << "a{}b" << TemplateError::Cause::UnknownField << "Unknown field \"{}\"; " + fields;
    QTest::newRow("unclosed") << "{artist} {title" << TemplateError::Cause::UnclosedBrace
                              << "\"{title\" has no closing \"}\"";
    QTest::newRow("stray brace") << "a}b" << TemplateError::Cause::StrayBrace
                                 << "\"}\" without an opening \"{\"; write \"}}\" for the brace itself";
    QTest::newRow("unknown date format")
        << "{taken:yyyy}" << TemplateError::Cause::BadFormat
        << "\"{taken:yyyy}\": the date format must be one of ddmmyy, dd-mm-yy, ddmmyyyy, dd-mm-yyyy, mmddyy, "
           "mm-dd-yy, mmddyyyy, mm-dd-yyyy, yyyy-mm-dd, yyyymmdd, yyyy-mm-dd hh.mm.ss";
    QTest::newRow("track width 0") << "{track:0}" << TemplateError::Cause::BadWidth
                                   << "\"{track:0}\": the track width must be a digit from 1 to 9";
    QTest::newRow("track width 10") << "{track:10}" << TemplateError::Cause::BadWidth
                                    << "\"{track:10}\": the track width must be a digit from 1 to 9";
    QTest::newRow("argument on artist") << "{artist:2}" << TemplateError::Cause::NoArgument
                                        << "\"{artist:2}\": this field takes nothing after \":\"";
    QTest::newRow("slash") << "{artist}/{album}" << TemplateError::Cause::Slash
                           << "\"/\" cannot be part of a file name";
}

void TestNameTemplate::badTemplates()
{
    QFETCH(QString, text);
    QFETCH(TemplateError::Cause, cause);
    QFETCH(QString, message);
    const auto parsed = NameTemplate::parse(text);
    QVERIFY(!parsed.has_value());
    QCOMPARE(parsed.error().cause, cause);
    QCOMPARE(parsed.error().message, message);
}

void TestNameTemplate::placeholders_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("the example") << "{taken:yyyy-mm-dd} {artist} - {track:2} {title}"
                                 << "[taken] [artist] - [track] [title]";
    QTest::newRow("names") << "{folder}_{name}{ext}"
                           << "[folder]_[name][ext]";
    QTest::newRow("photo") << "{camera} {width}x{height} {modified:ddmmyy}"
                           << "[camera] [width]x[height] [modified]";
    QTest::newRow("music") << "{album} {year} {genre} {counter}"
                           << "[album] [year] [genre] [counter]";
    QTest::newRow("braces") << "{{x}}"
                            << "{x}";
}

void TestNameTemplate::placeholders()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    const auto parsed = NameTemplate::parse(text);
    QVERIFY(parsed.has_value());
    QCOMPARE(parsed->placeholders(), shown);
    QVERIFY(!parsed->uses(TemplateField::Height) || text.contains(QStringLiteral("{height}")));
}

void TestNameTemplate::unsafeCharactersInValues()
{
    MadeUpValues values;
    values.texts[TemplateField::Artist] = QStringLiteral("AC/DC");
    values.texts[TemplateField::Title] = QStringLiteral("Line\nbreak\ttab\u0007bell");
    QCOMPARE(expanded(QStringLiteral("{artist} - {title}"), values), QStringLiteral("AC_DC - Line_break_tab_bell"));
}

QTEST_GUILESS_MAIN(TestNameTemplate)
#include "tst_nametemplate.moc"
