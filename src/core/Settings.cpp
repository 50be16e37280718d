#include "Settings.h"

#include "store/Records.h"
#include "store/Table.h"

#include <QDir>
#include <QSettings>

#include <algorithm>
#include <stdexcept>

using namespace store::ConfigRecord;

namespace core {

namespace {
const QString kTempdecal = QStringLiteral("Install/Tempdecal");
const QString kReadOnly = QStringLiteral("Install/TempdecalReadOnly");
const QString kChosen = QStringLiteral("Targets/Chosen");
const QString kPutBack = QStringLiteral("Targets/PutBackWithoutAsking");

// Folders compare as the paths they name.
QString folderKey(const QString& folder) { return QDir::cleanPath(folder); }
} // namespace

Settings::Settings(QObject* parent)
    : QObject(parent), config_(std::make_unique<store::Table>(store::configTableDef()))
{
}

Settings::~Settings() = default;

void Settings::open(const QString& dir)
{
    dir_ = dir;
    config_->close();
    config_->setDirectory(dir);
    config_->setFileName(config_->def().fileName());
    config_->open();
    installOptions_ = savedInstallOptions();
    readTargets();
    emit changed();
}

void Settings::close() { config_->close(); }

void Settings::useSavedValues()
{
    gameLocation_ = savedGameLocation();
    extraProgram_ = savedExtraProgram();
    installOptions_ = savedInstallOptions();
    emit changed();
}

void Settings::useSavedWaitTime() { setWaitPosition(positionFromWaitTime(savedWaitTime())); }

void Settings::setGameLocation(const QString& location)
{
    if (location == gameLocation_)
        return;
    gameLocation_ = location;
    emit changed();
}

void Settings::setExtraProgram(const QString& path)
{
    if (path == extraProgram_)
        return;
    extraProgram_ = path;
    emit changed();
}

void Settings::setWaitPosition(int position)
{
    position = std::clamp(position, 0, kMaxWaitPosition);
    if (position == waitPosition_)
        return;
    waitPosition_ = position;
    emit changed();
}

QString Settings::stored(int field) const { return config_->text(field); }
QString Settings::savedGameLocation() const { return stored(Config); }
QString Settings::savedExtraProgram() const { return stored(ExtraConfig); }
QString Settings::savedWaitTime() const { return stored(WaitTime); }
QString Settings::gameLocationMark() const { return stored(ConfigSaved); }
QString Settings::extraProgramMark() const { return stored(ExtraConfigSaved); }

QString Settings::installOptionsPath() const { return dir_ + QStringLiteral("/InstallOptions.ini"); }

InstallOptions Settings::savedInstallOptions() const
{
    QSettings file(installOptionsPath(), QSettings::IniFormat);
    InstallOptions options;
    options.tempdecal = file.value(kTempdecal, options.tempdecal).toBool();
    options.readOnly = file.value(kReadOnly, options.readOnly).toBool();
    return options;
}

bool Settings::fits(int field, const QString& text) const
{
    if (text.size() > config_->def().fields[field].width)
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xff; });
}

bool Settings::fitsGameLocation(const QString& path) const { return fits(Config, path); }
bool Settings::fitsExtraProgram(const QString& path) const { return fits(ExtraConfig, path); }

// Edit, set the fields, Post. A failing post drops the pending edit again, so
// no half-made change is written later by another save.
void Settings::save(int field, const QString& value, int markField)
{
    config_->edit();
    try {
        config_->setText(field, value);
        if (markField >= 0)
            config_->setText(markField, QStringLiteral("Yes"));
        config_->post();
    } catch (...) {
        if (config_->isEditing())
            config_->cancel();
        throw;
    }
}

void Settings::saveGameLocation(const QString& location)
{
    save(Config, location, ConfigSaved);
    setGameLocation(location);
    emit changed();
}

void Settings::saveExtraProgram(const QString& path)
{
    save(ExtraConfig, path, ExtraConfigSaved);
    setExtraProgram(path);
    emit changed();
    emit extraProgramStored();
}

void Settings::saveWaitPosition(int position)
{
    save(WaitTime, waitTimeText(position), -1);
    setWaitPosition(position);
    emit changed();
}

bool Settings::saveInstallOptions(const InstallOptions& options)
{
    installOptions_ = options;
    QSettings file(installOptionsPath(), QSettings::IniFormat);
    file.setValue(kTempdecal, options.tempdecal);
    file.setValue(kReadOnly, options.readOnly);
    file.sync();
    emit changed();
    return file.status() == QSettings::NoError;
}

QString Settings::targetsPath() const { return dir_ + QStringLiteral("/GameTargets.ini"); }

void Settings::readTargets()
{
    QSettings file(targetsPath(), QSettings::IniFormat);
    chosenTargets_ = file.value(kChosen).toStringList();
    putBackWithoutAsking_ = file.value(kPutBack).toStringList();
}

bool Settings::writeTargets()
{
    QSettings file(targetsPath(), QSettings::IniFormat);
    file.setValue(kChosen, chosenTargets_);
    file.setValue(kPutBack, putBackWithoutAsking_);
    file.sync();
    emit changed();
    return file.status() == QSettings::NoError;
}

QStringList Settings::installTargets() const
{
    QStringList targets;
    QStringList keys;
    for (const QString& folder : QStringList{gameLocation_} + chosenTargets_) {
        if (folder.isEmpty() || keys.contains(folderKey(folder)))
            continue;
        keys << folderKey(folder);
        targets << folder;
    }
    return targets;
}

bool Settings::saveChosenTargets(const QStringList& folders)
{
    chosenTargets_.clear();
    for (const QString& folder : folders)
        if (!folder.isEmpty() && !chosenTargets_.contains(folder))
            chosenTargets_ << folder;
    return writeTargets();
}

bool Settings::putsBackWithoutAsking(const QString& folder) const
{
    return putBackWithoutAsking_.contains(folderKey(folder));
}

bool Settings::savePutBackWithoutAsking(const QString& folder)
{
    if (!putsBackWithoutAsking(folder))
        putBackWithoutAsking_ << folderKey(folder);
    return writeTargets();
}

int Settings::positionFromWaitTime(const QString& waitTime)
{
    bool ok = false;
    const int value = waitTime.trimmed().toInt(&ok, 10);
    if (!ok)
        throw std::runtime_error(("'" + waitTime + "' is not a valid integer value").toStdString());
    return std::clamp(value / 20, 0, kMaxWaitPosition);
}

QString Settings::waitTimeText(int position) { return QString::number(position * 20); }

} // namespace core
