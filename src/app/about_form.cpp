#include "app/about_form.h"

#include "app/jpeg_image.h"
#include "qb_version.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>

static void InitAboutResources() {
    Q_INIT_RESOURCE(app);
}

TAboutExForm::TAboutExForm(const QString& subject, QWidget* parent) : QDialog(parent) {
    InitAboutResources();
    setObjectName("AboutExForm");
    setWindowTitle(QStringLiteral("About Orrin Quarrybook"));
    setFixedSize(329, 223);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    fPicture = new QLabel(this);
    fPicture->setObjectName("Picture");
    fPicture->setGeometry(8, 8, 313, 128);
    fPicture->setScaledContents(true);
    QFile jpeg(QStringLiteral(":/app/about.jpg"));
    if (jpeg.open(QIODevice::ReadOnly))
        fPicture->setPixmap(QPixmap::fromImage(DecodeJpeg(jpeg.readAll())));

    fSubject = new QLabel(subject, this);
    fSubject->setObjectName("SubjectL");
    fSubject->setGeometry(8, 142, 313, 22);
    fSubject->setAlignment(Qt::AlignCenter);
    QFont f = fSubject->font();
    f.setPointSize(f.pointSize() + 2);
    f.setBold(true);
    fSubject->setFont(f);

    fVersion = new QLabel(QStringLiteral("Version %1").arg(QLatin1String(kProgramVersion)), this);
    fVersion->setObjectName("VersionL");
    fVersion->setGeometry(8, 164, 313, 18);
    fVersion->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName("OKButton");
    ok->setGeometry(127, 188, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
