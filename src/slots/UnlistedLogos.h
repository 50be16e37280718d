// "Logos not in the library": the logo wad files of the program directory
// that no slot names, with their pictures. Each can be put into the free
// slot of the current page, or deleted after a question. Their names are
// taken while the files are there, so the import refuses them.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace core { class Library; }

namespace slotedit {

class UnlistedLogos : public QDialog {
    Q_OBJECT
public:
    explicit UnlistedLogos(core::Library& library, QWidget* parent = nullptr);

    // Lists the files again and shows the window modally.
    void showModal();

    void putClick();
    void deleteClick();

private:
    void fill();
    QString chosen() const;

    core::Library& library_;
    QListWidget* list_ = nullptr;
    QPushButton* put_ = nullptr;
    QPushButton* delete_ = nullptr;
};

} // namespace slotedit
