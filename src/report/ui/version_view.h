#pragma once
// VerView: the about box of the report window: the application title, the version and the platforms.

#include <QDialog>

namespace rqx {

class VersionView : public QDialog {
    Q_OBJECT
public:
    VersionView(const QString &appTitle, QWidget *parent = nullptr);
};

}  // namespace rqx
