// The program's style: the platform's look, painted without loading Qt's
// image format plugins; and a start that loads neither them nor the quantiser.
#include "ProgramFixture.h"

#include "app/ProgramStyle.h"
#include "app/Unit1.h"
#include "store/Records.h"

#include <QFile>
#include <QGroupBox>
#include <QMenuBar>
#include <QStyleFactory>

#include <memory>

namespace {

// The image format plugins and libimagequant, mapped into this process.
QStringList loadedImagePlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    QStringList plugins;
    for (const QByteArray& line : maps.readAll().split('\n'))
        if (line.contains("/imageformats/") || line.contains("libimagequant"))
            plugins << QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
    plugins.removeDuplicates();
    return plugins;
}

class ProgramStyleStart : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));   // no first-start window
        setConfig(store::ConfigRecord::ExtraConfigSaved, QStringLiteral("Yes"));
    }
};

TEST_F(ProgramStyleStart, TheShownWindowLoadsNoImagePluginAndNoQuantiser)
{
#ifndef Q_OS_LINUX
    GTEST_SKIP() << "reads the process's mappings";
#endif
    ASSERT_TRUE(start());
    form().grab();   // every control painted, the group box and the menu bar among them
    EXPECT_EQ(loadedImagePlugins().join(QLatin1Char('\n')).toStdString(), "");
    EXPECT_FALSE(form().menuBar()->style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).isNull())
        << "the menu bar's button for hidden menus keeps an image";
}

TEST(ProgramStyle, PaintsFusionsGroupBoxFramesAsFusionDoes)
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    app::ProgramStyle ours(QStringLiteral("Fusion"));
    for (const QString& title : {QString(), QStringLiteral("Install into:")}) {
        QGroupBox box(title);
        box.resize(160, 70);
        box.setStyle(fusion.get());
        const QImage theirs = box.grab().toImage();
        box.setStyle(&ours);
        EXPECT_TRUE(box.grab().toImage() == theirs) << "the frame differs, title \"" << title.toStdString() << '"';
    }
}

} // namespace
