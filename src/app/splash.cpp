#include "app/splash.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/artwork.h"

namespace velmo {

TfrmSplash::TfrmSplash(TMode mode, QWidget* parent) : QDialog(parent) {
    setObjectName(mode == Splash ? "frmSplash" : "frmAbout");
    setWindowTitle(mode == Splash ? "Starting Velmo" : "About Velmo");
    setAccessibleName(windowTitle());
    if (mode == Splash) {
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setAttribute(Qt::WA_ShowWithoutActivating);
    }
    setStyleSheet("TfrmSplash, QDialog#frmSplash, QDialog#frmAbout { background: white; }"
                  "QDialog#frmSplash { border: 1px solid #1f3a5f; }");

    auto* layout = new QHBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setObjectName("imgSplash");
    picture->setAccessibleName("Velmo picture");
    picture->setPixmap(SplashPicture(QSize(200, 240), devicePixelRatioF()));
    layout->addWidget(picture, 0, Qt::AlignTop);

    auto* text = new QVBoxLayout;
    auto* name = new QLabel("Velmo", this);
    name->setObjectName("lblProduct");
    QFont nf = name->font();
    nf.setPointSizeF(nf.pointSizeF() * 2.6);
    nf.setBold(true);
    name->setFont(nf);
    name->setStyleSheet("color: #1f3a5f;");
    auto* title = new QLabel("Broadcast Antenna System Planner", this);
    title->setObjectName("lblTitle");
    QFont tf = title->font();
    tf.setPointSizeF(tf.pointSizeF() * 1.25);
    title->setFont(tf);
    text->addWidget(name);
    text->addWidget(title);

    if (mode == About) {
        auto* version = new QLabel("Version 10.4.0", this);
        version->setObjectName("lblVersion");
        text->addWidget(version);
    }
    text->addSpacing(10);
    auto* legal = new QLabel(
        "Copyright \u00A9 Orvane. All rights reserved.\n"
        "The patterns, gains and power figures are preliminary planning values;\n"
        "the maker's final specification prevails.", this);
    legal->setObjectName("lblLegal");
    QFont lf = legal->font();
    lf.setPointSizeF(lf.pointSizeF() * 0.9);
    legal->setFont(lf);
    legal->setStyleSheet("color: #444;");
    text->addWidget(legal);

    if (mode == About) {
        text->addSpacing(10);
        auto* mailLine = new QLabel("For questions or comments please contact :", this);
        auto* mail = new QLabel(QString("<a href=\"mailto:%1?subject=Velmo\">%1</a>").arg(SupportMail()), this);
        mail->setObjectName("lblMail");
        mail->setAccessibleName("Support e-mail");
        auto* webLine = new QLabel("Or visit our website :", this);
        auto* web = new QLabel(QString("<a href=\"%1\">%1</a>").arg(WebSite()), this);
        web->setObjectName("lblWeb");
        web->setAccessibleName("Website");
        for (QLabel* link : {mail, web}) {
            link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
            connect(link, &QLabel::linkActivated, this, [this](const QString& url) {
                QDesktopServices::openUrl(QUrl(url));
                accept();  // a click on either address closes the box as OK does
            });
        }
        text->addWidget(mailLine);
        text->addWidget(mail);
        text->addWidget(webLine);
        text->addWidget(web);
        text->addStretch(1);
        auto* ok = new QPushButton("&OK", this);
        ok->setObjectName("btnOK");
        ok->setAccessibleName("OK");
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        auto* row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(ok);
        text->addLayout(row);
    } else {
        text->addStretch(1);
    }
    layout->addLayout(text, 1);
}

}  // namespace velmo
