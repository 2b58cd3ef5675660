// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The window's icon: the icon theme's when the theme has it, the built-in
// copy otherwise. Each case points Qt at an icon folder of its own, so that
// an icon installed on the machine running the test plays no part.

#include "ui/application_icon.h"
#include "ui/application_setup.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestApplicationIcon : public QObject {
    Q_OBJECT

private slots:
    void init();
    void builtInCopyWhenTheThemeLacksTheIcon_data();
    void builtInCopyWhenTheThemeLacksTheIcon();
    void themeIconComesFirst();

private:
    // A new, empty folder for each case.
    std::unique_ptr<QTemporaryDir> iconFolder_;
};

void TestApplicationIcon::init()
{
    iconFolder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(iconFolder_->isValid());
    QIcon::setThemeSearchPaths({iconFolder_->path()});
    QIcon::setFallbackSearchPaths({});
    QIcon::setThemeName(QStringLiteral("vintrelletest"));
}

void TestApplicationIcon::builtInCopyWhenTheThemeLacksTheIcon_data()
{
    QTest::addColumn<int>("pixels");
    QTest::newRow("menu size 48") << 48;
    QTest::newRow("large 128") << 128;
}

void TestApplicationIcon::builtInCopyWhenTheThemeLacksTheIcon()
{
    QFETCH(int, pixels);
    const QIcon icon = vintrelle::ui::applicationIcon();
    QVERIFY(!icon.isNull());
    QVERIFY2(icon.availableSizes().contains(QSize(pixels, pixels)), "size missing from the built-in copy");
    const QImage image = icon.pixmap(QSize(pixels, pixels)).toImage();
    QCOMPARE(image.size(), QSize(pixels, pixels));
    // A real drawing: the centre is the neuron's circle, not transparent.
    QVERIFY(qAlpha(image.pixel(pixels / 2, pixels / 2)) > 0);
}

void TestApplicationIcon::themeIconComesFirst()
{
    // A theme whose icon for the program is a plain red square.
    QDir folder(iconFolder_->path());
    QVERIFY(folder.mkpath(QStringLiteral("vintrelletest/48x48/apps")));
    QFile index(folder.filePath(QStringLiteral("vintrelletest/index.theme")));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=vintrelletest\nDirectories=48x48/apps\n\n"
                "[48x48/apps]\nSize=48\nType=Fixed\n");
    index.close();
    QImage red(48, 48, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(folder.filePath(QStringLiteral("vintrelletest/48x48/apps/%1.png")
                                         .arg(QLatin1String(vintrelle::ui::ApplicationId)))));

    const QIcon icon = vintrelle::ui::applicationIcon();
    QCOMPARE(icon.pixmap(QSize(48, 48)).toImage().pixel(24, 24), QColor(Qt::red).rgb());
}

QTEST_MAIN(TestApplicationIcon)
#include "tst_application_icon.moc"
