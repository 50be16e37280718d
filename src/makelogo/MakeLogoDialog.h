// The "Make logo" dialog: a picture as it will be sprayed, with its size,
// fit, see-through colour and dithering chosen by the user.
#pragma once

#include "logo/LogoMaker.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QComboBox;
class QLabel;

namespace makelogo {

class MakeLogoDialog : public QDialog {
    Q_OBJECT
public:
    explicit MakeLogoDialog(const QImage& picture, QWidget* parent = nullptr);

    // The logo as the preview shows it; valid after a successful update.
    const formats::SprayLevels& spray() const { return spray_; }
    logo::LogoOptions options() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillSizes();
    void updatePreview();
    void pickAt(QPoint previewPoint);

    QImage picture_;
    // What the logo is made from: the picture, or a copy scaled down to
    // twice the largest logo's side where it is larger, so that each change
    // of an option makes the logo again at once.
    QImage working_;
    formats::SprayLevels spray_;
    bool pickedColour_ = false;
    QRgb colour_ = 0;
    int magnification_ = 1;
    QLabel* actual_;
    QLabel* large_;
    QComboBox* size_;
    QComboBox* fit_;
    QComboBox* seeThrough_;
    QCheckBox* dither_;
    QCheckBox* serverSafe_;
    QLabel* problem_;
};

} // namespace makelogo
