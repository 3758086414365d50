// Every text of the sources has its translation in every .ts file of the repository. lupdate
// collects the texts into a copy of each file, exactly as `update_translations` does; a text
// added or changed since shows up there unfinished.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <string>
#include <vector>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    bool finished = true;
};

std::vector<Message> readMessages(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    std::vector<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == u"name") {
            context = xml.readElementText();
        } else if (name == u"message") {
            message = {context, {}, {}, true};
        } else if (name == u"source") {
            message.source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (name == u"translation") {
            const QString type = xml.attributes().value(QStringLiteral("type")).toString();
            message.finished = type.isEmpty();
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            messages.push_back(message);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    QSet<QString> found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
        found.insert(match.captured());
    return found;
}

// What is wrong with one message, or nothing.
QString problemOf(const Message& message)
{
    if (!message.finished)
        return QStringLiteral("unfinished");
    if (message.translation.trimmed().isEmpty())
        return QStringLiteral("empty");
    if (placeholders(message.source) != placeholders(message.translation))
        return QStringLiteral("placeholders differ from the source");
    return {};
}

QStringList repositoryTsFiles()
{
    const QDir folder(QStringLiteral(QMV718_SOURCE_DIR "/translations"));
    QStringList files;
    for (const QString& name : folder.entryList({QStringLiteral("*.ts")}, QDir::Files))
        files.append(folder.filePath(name));
    return files;
}

} // namespace

TEST(TranslationsComplete, EveryTextOfTheSourcesIsTranslated)
{
    const QStringList tsFiles = repositoryTsFiles();
    ASSERT_FALSE(tsFiles.isEmpty());
    const QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    for (const QString& tsFile : tsFiles) {
        SCOPED_TRACE(tsFile.toStdString());
        const QString copy = QDir(scratch.path()).filePath(QFileInfo(tsFile).fileName());
        ASSERT_TRUE(QFile::copy(tsFile, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        const QString language = QFileInfo(tsFile).completeBaseName().section(u'_', -1);

        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(QMV718_CMAKE),
                      {QStringLiteral("-DLUPDATE=" QMV718_LUPDATE),
                       QStringLiteral("-DSOURCE_DIR=" QMV718_SOURCE_DIR), QStringLiteral("-DTS_FILE=") + copy,
                       QStringLiteral("-DLANGUAGE=") + language, QStringLiteral("-P"),
                       QStringLiteral(QMV718_TRANSLATIONS_SCRIPT)});
        ASSERT_TRUE(lupdate.waitForFinished(300000));
        ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

        QString error;
        const std::vector<Message> messages = readMessages(copy, &error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_FALSE(messages.empty());
        QStringList problems;
        for (const Message& message : messages)
            if (const QString problem = problemOf(message); !problem.isEmpty())
                problems.append(
                    QStringLiteral("%1: \"%2\": %3").arg(message.context, message.source, problem));
        EXPECT_TRUE(problems.isEmpty())
            << problems.size() << " text(s) to translate; run `cmake --build <build folder> --target "
            << "update_translations`, translate them in " << tsFile.toStdString() << " and rebuild:\n"
            << problems.join(u'\n').toStdString();
    }
}
