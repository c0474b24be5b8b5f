#include "report/designer/panels/PictureSection.h"

#include "platform/MsgBox.h"
#include "report/designer/panels/PropertyWidgets.h"
#include "report/preview/FileChooser.h"

#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>

namespace orvel::report
{

namespace
{

QString describe(const ReportObject& o)
{
    if (!o.imageData.isEmpty()) {
        const QImage img = QImage::fromData(o.imageData);
        return QStringLiteral("포함된 그림 %1 x %2 (%3 KB)")
            .arg(img.width())
            .arg(img.height())
            .arg((o.imageData.size() + 1023) / 1024);
    }
    if (!o.fileLink.isEmpty())
        return QStringLiteral("연결된 파일: %1").arg(QFileInfo(o.fileLink).fileName());
    return QStringLiteral("그림 없음");
}

} // namespace

PictureSection::PictureSection(ReportDocument* doc, QWidget* parent)
    : PropertySection(QStringLiteral("그림"), doc, parent)
{
    setObjectName(QStringLiteral("pictureSection"));

    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("pictureInfoLabel"));
    m_info->setWordWrap(true);
    form()->addRow(m_info);

    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    m_file = new QPushButton(QStringLiteral("그림 파일(&M)..."), buttons);
    m_file->setObjectName(QStringLiteral("pictureFileButton"));
    m_file->setAccessibleName(QStringLiteral("그림 파일"));
    m_clear = new QPushButton(QStringLiteral("지우기"), buttons);
    m_clear->setObjectName(QStringLiteral("pictureClearButton"));
    m_clear->setAccessibleName(QStringLiteral("그림 지우기"));
    row->addWidget(m_file);
    row->addWidget(m_clear);
    row->addStretch();
    form()->addRow(buttons);
    connect(m_file, &QPushButton::clicked, this, &PictureSection::chooseFile);
    connect(m_clear, &QPushButton::clicked, this, [this] {
        changeSelected(QStringLiteral("그림 변경"), [](ReportObject& o) {
            o.imageData.clear();
            o.fileLink.clear();
        });
    });

    struct Flag {
        MixedCheckBox** box;
        const char* objectName;
        const char* text;
        bool ReportObject::*member;
    };
    const Flag flags[] = {
        {&m_stretched, "pictureStretchedBox", "상자에 맞게 늘이기", &ReportObject::stretched},
        {&m_keepAspect, "pictureKeepAspectBox", "비율 유지", &ReportObject::keepAspect},
        {&m_center, "pictureCenterBox", "가운데", &ReportObject::center}};
    for (const Flag& f : flags) {
        auto* box = new MixedCheckBox(QString::fromUtf8(f.text), this);
        box->setObjectName(QLatin1String(f.objectName));
        box->setAccessibleName(box->text());
        form()->addRow(box);
        const auto member = f.member;
        connect(box, &MixedCheckBox::edited, this, [this, member](bool on) {
            changeSelected(QStringLiteral("그림 변경"), [=](ReportObject& o) { o.*member = on; });
        });
        *f.box = box;
    }
}

bool PictureSection::appliesToSelection() const
{
    return selectionIsAll({ReportObject::Picture});
}

void PictureSection::load()
{
    const auto info = shared([](const ReportObject& o) { return describe(o); });
    m_info->setText(info.value_or(QStringLiteral("(여러 그림)")));
    m_stretched->setShared(shared([](const ReportObject& o) { return o.stretched; }));
    m_keepAspect->setShared(shared([](const ReportObject& o) { return o.keepAspect; }));
    m_center->setShared(shared([](const ReportObject& o) { return o.center; }));
}

void PictureSection::chooseFile()
{
    const QString path =
        FileChooser::openFile(this, QStringLiteral("그림 파일 열기"),
                              QStringLiteral("그림 (*.png *.jpg *.jpeg *.bmp *.gif);;"
                                             "모든 파일 (*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (QImage::fromData(bytes).isNull()) {
        orvel::MsgBox::show(this, QStringLiteral("그림"),
                            QStringLiteral("그림 파일을 읽을 수 없습니다.\n%1").arg(path), 0);
        return;
    }
    // The picture goes into the template, so the report prints it wherever the file is.
    changeSelected(QStringLiteral("그림 변경"), [&](ReportObject& o) {
        o.imageData = bytes;
        o.fileLink.clear();
    });
}

} // namespace orvel::report
