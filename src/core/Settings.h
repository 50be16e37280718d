// The settings: the game location, the extra program, the picture-load wait
// time and the install options. Each has the value in use, which the import,
// the installation and the game start read, and the saved value kept in
// ConfigDB.db (the install options in InstallOptions.ini beside it). The
// settings windows change the values in use as the user works and save them
// on Save; every change is signalled by changed().
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace store { class Table; }

namespace core {

// How a logo is installed beside pldecal.wad: today's release of the game
// reads a player's spray from tempdecal.wad, which the game's own options
// rewrite unless the file is read-only. Both are on unless saved otherwise.
struct InstallOptions {
    bool tempdecal = true;   // also install as tempdecal.wad
    bool readOnly = true;    // leave tempdecal.wad read-only (0444)
    bool operator==(const InstallOptions& o) const { return tempdecal == o.tempdecal && readOnly == o.readOnly; }
};

class Settings : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultWaitPosition = 15;
    static constexpr int kMaxWaitPosition = 30;

    explicit Settings(QObject* parent = nullptr);
    ~Settings() override;

    // Opens ConfigDB.db of the directory; throws store::DatabaseError.
    void open(const QString& dir);
    void close();
    // Takes the saved values as the values in use (start-up): the game
    // location, the extra program and the install options; then the wait
    // time, where a stored text that is no number throws std::runtime_error
    // with the conversion's message and leaves the wait as it was.
    void useSavedValues();
    void useSavedWaitTime();

    // In use.
    QString gameLocation() const { return gameLocation_; }
    void setGameLocation(const QString& location);
    QString extraProgram() const { return extraProgram_; }
    void setExtraProgram(const QString& path);
    // The slider position 0 to 30; the wait is the position times 20 ms.
    int waitPosition() const { return waitPosition_; }
    void setWaitPosition(int position);
    int waitMilliseconds() const { return waitPosition_ * 20; }
    InstallOptions installOptions() const { return installOptions_; }

    // Saved.
    QString savedGameLocation() const;
    QString savedExtraProgram() const;
    QString savedWaitTime() const;
    // The "saved" marks exactly as stored ("Yes", "No" or anything else).
    QString gameLocationMark() const;
    QString extraProgramMark() const;
    bool gameLocationSaved() const { return gameLocationMark() == QLatin1String("Yes"); }
    bool extraProgramSaved() const { return extraProgramMark() == QLatin1String("Yes"); }
    InstallOptions savedInstallOptions() const;
    QString installOptionsPath() const;

    // Further game folders a logo goes into beside the game location, as
    // chosen in the Configuration window; kept in GameTargets.ini beside the
    // tables with the games whose replaced sprays are put back without asking.
    QStringList chosenTargets() const { return chosenTargets_; }
    // The game location in use first, then each chosen folder that is not it.
    QStringList installTargets() const;
    // False when the file could not be written; the choice is in use all the same.
    bool saveChosenTargets(const QStringList& folders);
    bool putsBackWithoutAsking(const QString& folder) const;
    bool savePutBackWithoutAsking(const QString& folder);
    QString targetsPath() const;

    // True when the table can hold the path as it is: it keeps single-byte
    // text of a fixed width, and a path cut short or with characters replaced
    // would name another folder or file.
    bool fitsGameLocation(const QString& path) const;
    bool fitsExtraProgram(const QString& path) const;

    // Each save writes the record and marks the value saved; a failing write
    // leaves the record as it was and throws the table's error. The values
    // in use become the saved ones.
    void saveGameLocation(const QString& location);
    void saveExtraProgram(const QString& path);
    void saveWaitPosition(int position);
    // False when the file could not be written; the options are in use all the same.
    bool saveInstallOptions(const InstallOptions& options);

    // The slider position for a stored WaitTime text: the number divided by
    // 20, the remainder dropped, held within 0..30. A text that is not a
    // decimal number throws std::runtime_error with the conversion's message.
    static int positionFromWaitTime(const QString& waitTime);
    // The WaitTime text for a slider position.
    static QString waitTimeText(int position);

signals:
    void changed();
    // The extra program has just been saved.
    void extraProgramStored();

private:
    QString stored(int field) const;
    bool fits(int field, const QString& text) const;
    void save(int field, const QString& value, int markField);

    std::unique_ptr<store::Table> config_;
    QString dir_;
    QString gameLocation_;
    QString extraProgram_;
    int waitPosition_ = kDefaultWaitPosition;
    InstallOptions installOptions_;
    QStringList chosenTargets_;
    QStringList putBackWithoutAsking_;
    void readTargets();
    bool writeTargets();
};

} // namespace core
