#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <ostream>

#include "common/ProgramDir.h"
#include "support/Fixtures.h"

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// A test's own program directory and configuration directory (XDG_CONFIG_HOME),
// both temporary; either can be made one that cannot be created, even as root,
// by placing it below a regular file.
class SettingsPlaces : public ::testing::Test {
protected:
    void SetUp() override {
        savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
        hadConfigHome_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        ASSERT_TRUE(places.write(QStringLiteral("blocker"), "not a directory"));
        SetProgramDir(places.file(QStringLiteral("program")));
        ASSERT_TRUE(QDir().mkpath(ProgramDir()));
        setConfigHome(places.file(QStringLiteral("config")));
    }

    void TearDown() override {
        SetProgramDir(QString());
        if (hadConfigHome_) {
            qputenv("XDG_CONFIG_HOME", savedConfigHome_);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
    }

    static void setConfigHome(const QString& path) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path));
    }
    void blockProgramDir() { SetProgramDir(places.file(QStringLiteral("blocker/program"))); }
    void blockConfigDir() { setConfigHome(places.file(QStringLiteral("blocker/config"))); }

    static QString programFile() { return QDir(ProgramDir()).filePath(QStringLiteral("ZEM.ini")); }
    static QString configFile() {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
            .filePath(QStringLiteral("ZEM.ini"));
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static bool put(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(bytes) == bytes.size();
    }
    // The file as ZEM writes it, for a directory given in UTF-8.
    static QByteArray fileOf(const char* directory) {
        return QByteArray("[Header]\r\n") + directory + "\r\n";
    }

    TempDir places;
    MessageRecorder messages;

private:
    QByteArray savedConfigHome_;
    bool hadConfigHome_ = false;
};
