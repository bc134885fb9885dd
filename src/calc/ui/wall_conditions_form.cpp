#include "calc/ui/wall_conditions_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

#include "calc/calc_settings.h"
#include "document/project_document.h"
#include "model/cp932.h"
#include "widgets/app_look.h"
#include "widgets/hand_cursor.h"
#include "widgets/message.h"

namespace rqx {

namespace {

constexpr int kSourceLength = 60;

QLineEdit *NumberField(QWidget *parent, double value, const QString &name)
{
    auto *field = new QLineEdit(value > 0.0 ? DecimalText(value) : QString(), parent);
    field->setObjectName(name);
    field->setMaximumWidth(90);
    field->setAlignment(Qt::AlignRight);
    return field;
}

// One number of the dialog: what the field is called, its unit and range, and whether it may stay
// empty (0 = not entered).
struct FieldRule {
    QString name;
    QString unit;
    double low;
    double high;
    bool required;
};

void Refuse(QWidget *parent, QLineEdit *field, const QString &text)
{
    ShowMessage(text, MessageKind::Ok, kMessageTitle, parent);
    field->setFocus();
    field->selectAll();
}

bool ReadField(QWidget *parent, QLineEdit *field, const FieldRule &rule, double &value)
{
    const QString typed = field->text().trimmed();
    if (typed.isEmpty()) {
        if (!rule.required) {
            value = 0.0;
            return true;
        }
        Refuse(parent, field, QStringLiteral("「%1」を入力してください。\r%2～%3 %4 の数値です。")
                                  .arg(rule.name, DecimalText(rule.low), DecimalText(rule.high), rule.unit));
        return false;
    }
    double v = 0.0;
    if (!ParseDecimal(typed, v) || v < rule.low || v > rule.high) {
        Refuse(parent, field,
               QStringLiteral("「%1」に入力された「%2」は使えません。\r%3～%4 %5 の数値を入力してください。")
                   .arg(rule.name, typed, DecimalText(rule.low), DecimalText(rule.high), rule.unit));
        return false;
    }
    value = v;
    return true;
}

QString MillimetreText(int32_t mm)
{
    return QString::number(mm);
}

}  // namespace

WallConditionsForm::WallConditionsForm(ProjectDocument &document, AppState &settings, QWidget *parent)
    : QDialog(parent), document_(document), state_(settings), original_(ReadWallInputs(document.project()))
{
    setWindowIcon(AppIcon());
    setWindowTitle(state_.appTitle + QStringLiteral("   壁量計算の条件"));
    setModal(true);
    const WallInputs &in = original_;
    const bool two = document.project().dims.floorCount >= 2;

    // ---- 地震力 ----
    auto *seismic = new QGroupBox(QStringLiteral("地震力に対する必要壁量 (Lw × 床面積)"), this);
    const char *const routeTexts[4] = {"Lw を直接入力 (早見表・表計算ツールの値)", "略算式 (各階の重量から算定)",
                                       "旧基準（経過措置） 軽い屋根", "旧基準（経過措置） 重い屋根"};
    auto *seismicGrid = new QGridLayout(seismic);
    for (int k = 0; k < 4; ++k) {
        routes_[k] = new QRadioButton(QString::fromUtf8(routeTexts[k]), seismic);
        routes_[k]->setObjectName(QStringLiteral("Option1_%1").arg(k));
        routes_[k]->setChecked(static_cast<int>(in.route) == k + 1);
        connect(routes_[k], &QRadioButton::toggled, this, [this] { showRoute(); });
    }
    seismicGrid->addWidget(routes_[0], 0, 0, 1, 6);
    const char *const lwNames[3] = {"１階", "２階", "平屋部分"};
    for (int k = 0; k < 3; ++k) {
        lw_[k] = NumberField(seismic, in.lw[static_cast<std::size_t>(k)], QStringLiteral("Text1_%1").arg(k));
        seismicGrid->addWidget(new QLabel(QString::fromUtf8(lwNames[k]), seismic), 1, 2 * k);
        seismicGrid->addWidget(lw_[k], 1, 2 * k + 1);
    }
    seismicGrid->addWidget(new QLabel(QStringLiteral("cm/m²"), seismic), 1, 6);
    source_ = new QLineEdit(in.lwSource, seismic);
    source_->setObjectName(QStringLiteral("Text2"));
    source_->setMaxLength(kSourceLength);
    source_->setPlaceholderText(QStringLiteral("例: 早見表 (屋根: 瓦, 太陽光なし)"));
    seismicGrid->addWidget(new QLabel(QStringLiteral("出典"), seismic), 2, 0);
    seismicGrid->addWidget(source_, 2, 1, 1, 6);

    seismicGrid->addWidget(routes_[1], 3, 0, 1, 6);
    const char *const weightNames[2] = {"w1", "w2"};
    for (int k = 0; k < 2; ++k) {
        weights_[k] = NumberField(seismic, in.weightKn[static_cast<std::size_t>(k)], QStringLiteral("Text3_%1").arg(k));
        seismicGrid->addWidget(new QLabel(QString::fromUtf8(weightNames[k]), seismic), 4, 2 * k);
        seismicGrid->addWidget(weights_[k], 4, 2 * k + 1);
    }
    seismicGrid->addWidget(new QLabel(QStringLiteral("kN"), seismic), 4, 4);
    oneStoreyLoad_ = NumberField(seismic, in.oneStoreyLoad, QStringLiteral("Text4"));
    height_ = NumberField(seismic, in.buildingHeightM, QStringLiteral("Text5"));
    seismicGrid->addWidget(new QLabel(QStringLiteral("平屋部分"), seismic), 5, 0);
    seismicGrid->addWidget(oneStoreyLoad_, 5, 1);
    seismicGrid->addWidget(new QLabel(QStringLiteral("kN/m²"), seismic), 5, 2);
    seismicGrid->addWidget(new QLabel(QStringLiteral("高さ h"), seismic), 5, 3);
    seismicGrid->addWidget(height_, 5, 4);
    seismicGrid->addWidget(new QLabel(QStringLiteral("m (空欄: 階高＋屋根の高さ)"), seismic), 5, 5, 1, 2);
    seismicGrid->addWidget(routes_[2], 6, 0, 1, 3);
    seismicGrid->addWidget(routes_[3], 6, 3, 1, 4);
    c0_ = new QComboBox(seismic);
    c0_->setObjectName(QStringLiteral("Combo1"));
    c0_->addItems({QStringLiteral("0.2"), QStringLiteral("0.3 (特定行政庁が指定する軟弱地盤)")});
    c0_->setCurrentIndex(in.c0 == 0.3 ? 1 : 0);
    seismicGrid->addWidget(new QLabel(QStringLiteral("C0"), seismic), 7, 0);
    seismicGrid->addWidget(c0_, 7, 1, 1, 6);

    // ---- 風圧力 ----
    auto *wind = new QGroupBox(QStringLiteral("風圧力に対する必要壁量 (C × 見付面積)"), this);
    auto *windGrid = new QGridLayout(wind);
    wind_ = NumberField(wind, in.windC, QStringLiteral("Text6"));
    windGrid->addWidget(new QLabel(QStringLiteral("C"), wind), 0, 0);
    windGrid->addWidget(wind_, 0, 1);
    windGrid->addWidget(new QLabel(QStringLiteral("cm/m² (50～75)"), wind), 0, 2, 1, 3);
    roofKind_ = new QComboBox(wind);
    roofKind_->setObjectName(QStringLiteral("Combo2"));
    roofKind_->addItems({QStringLiteral("陸屋根"), QStringLiteral("切妻"), QStringLiteral("片流れ")});
    roofKind_->setCurrentIndex(static_cast<int>(in.roof.kind) - 1);
    ridge_ = new QComboBox(wind);
    ridge_->setObjectName(QStringLiteral("Combo3"));
    ridge_->addItems({QStringLiteral("棟 X 方向"), QStringLiteral("棟 Y 方向")});
    ridge_->setCurrentIndex(in.roof.ridgeDirection == kDirY ? 1 : 0);
    windGrid->addWidget(new QLabel(QStringLiteral("屋根"), wind), 1, 0);
    windGrid->addWidget(roofKind_, 1, 1);
    windGrid->addWidget(ridge_, 1, 2, 1, 2);
    const char *const roofNames[3] = {"高さ", "軒の出", "けらばの出"};
    const int32_t roofValues[3] = {in.roof.riseMm, in.roof.eavesMm, in.roof.vergeMm};
    for (int k = 0; k < 3; ++k) {
        roof_[k] = NumberField(wind, 0.0, QStringLiteral("Text7_%1").arg(k));
        roof_[k]->setText(MillimetreText(roofValues[k]));
        windGrid->addWidget(new QLabel(QString::fromUtf8(roofNames[k]), wind), 2, 2 * k);
        windGrid->addWidget(roof_[k], 2, 2 * k + 1);
    }
    windGrid->addWidget(new QLabel(QStringLiteral("mm"), wind), 2, 6);
    windGrid->addWidget(new QLabel(QStringLiteral("見付面積の直接入力 (空欄: 算定)"), wind), 3, 0, 1, 7);
    const char *const exposedNames[4] = {"１階 X", "１階 Y", "２階 X", "２階 Y"};
    for (int k = 0; k < 4; ++k) {
        exposed_[k] = NumberField(wind, in.exposedOverride[static_cast<std::size_t>(k)],
                                  QStringLiteral("Text8_%1").arg(k));
        exposed_[k]->setEnabled(two || k < 2);
        windGrid->addWidget(new QLabel(QString::fromUtf8(exposedNames[k]), wind), 4 + k / 2, 2 * (k % 2));
        windGrid->addWidget(exposed_[k], 4 + k / 2, 2 * (k % 2) + 1);
    }
    windGrid->addWidget(new QLabel(QStringLiteral("m²"), wind), 4, 4);
    windGrid->addWidget(new QLabel(QStringLiteral("階高は 設定 → 階高の設定 で入力します。"), wind), 6, 0, 1, 7);
    connect(roofKind_, &QComboBox::currentIndexChanged, this, [this] { showRoute(); });

    // ---- 壁の配置 ----
    auto *placementBox = new QGroupBox(QStringLiteral("壁の配置 (計算書に印刷する検討)"), this);
    auto *placementRow = new QHBoxLayout(placementBox);
    placement_ = new QComboBox(placementBox);
    placement_->setObjectName(QStringLiteral("Combo4"));
    // In the order of PlacementReport: both, the quarter method, the eccentricity.
    placement_->addItems({QStringLiteral("四分割法と偏心率"), QStringLiteral("四分割法"), QStringLiteral("偏心率")});
    placement_->setCurrentIndex(static_cast<int>(in.placementReport));
    placementRow->addWidget(placement_);
    placementRow->addStretch(1);

    auto *note = new QLabel(QStringLiteral("準耐力壁等は入力できないため算入しません (安全側)。"), this);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    const char *const texts[3] = {"OK", "ｷｬﾝｾﾙ", "デフォルトに設定"};
    for (int k = 0; k < 3; ++k) {
        commands_[k] = new QPushButton(QString::fromUtf8(texts[k]), this);
        commands_[k]->setObjectName(QStringLiteral("Command1_%1").arg(k));
        commands_[k]->setMinimumSize(100, 30);
        row->addWidget(commands_[k]);
    }
    commands_[0]->setDefault(true);
    connect(commands_[0], &QPushButton::clicked, this, &WallConditionsForm::okClicked);
    connect(commands_[1], &QPushButton::clicked, this, &WallConditionsForm::reject);
    connect(commands_[2], &QPushButton::clicked, this, &WallConditionsForm::storeDefault);

    auto *top = new QVBoxLayout(this);
    top->addWidget(seismic);
    top->addWidget(wind);
    top->addWidget(placementBox);
    top->addWidget(note);
    top->addLayout(row);
    top->setSizeConstraint(QLayout::SetFixedSize);
    showRoute();
    ApplyHandCursor(this);
}

void WallConditionsForm::showRoute()
{
    const bool two = document_.project().dims.floorCount >= 2;
    const bool typed = routes_[0]->isChecked();
    const bool formula = routes_[1]->isChecked();
    for (int k = 0; k < 3; ++k)
        lw_[k]->setEnabled(typed && (two || k == kLwStorey1));
    source_->setEnabled(typed);
    weights_[0]->setEnabled(formula);
    weights_[1]->setEnabled(formula && two);
    oneStoreyLoad_->setEnabled(formula && two);
    height_->setEnabled(formula && two);
    const bool sloped = roofKind_->currentIndex() != 0;
    ridge_->setEnabled(sloped);
    roof_[2]->setEnabled(sloped);
}

bool WallConditionsForm::readInputs(WallInputs &in)
{
    const bool two = document_.project().dims.floorCount >= 2;
    in = original_;
    for (int k = 0; k < 4; ++k)
        if (routes_[k]->isChecked())
            in.route = static_cast<LwRoute>(k + 1);
    const bool typed = in.route == LwRoute::Typed;
    const bool formula = in.route == LwRoute::Weights;
    const char *const lwNames[3] = {"１階の Lw", "２階の Lw", "平屋部分の Lw"};
    for (int k = 0; k < 3; ++k) {
        const FieldRule rule{QString::fromUtf8(lwNames[k]), QStringLiteral("cm/m²"), kMinLw, kMaxLw,
                             typed && (two || k == kLwStorey1)};
        if (!ReadField(this, lw_[k], rule, in.lw[static_cast<std::size_t>(k)]))
            return false;
    }
    const QString source = source_->text().trimmed();
    if (FromCp932(ToCp932(source)) != source) {
        Refuse(this, source_,
               QStringLiteral("「出典」にファイルに保存できない文字があります。"));
        return false;
    }
    in.lwSource = source;
    for (int k = 0; k < 2; ++k) {
        const FieldRule rule{QStringLiteral("w%1").arg(k + 1), QStringLiteral("kN"), 0.1, kMaxWeightKn,
                             formula && (two || k == 0)};
        if (!ReadField(this, weights_[k], rule, in.weightKn[static_cast<std::size_t>(k)]))
            return false;
    }
    if (!ReadField(this, oneStoreyLoad_,
                   {QStringLiteral("平屋部分の単位重量"), QStringLiteral("kN/m²"), 0.1, kMaxStoreyLoad, formula && two},
                   in.oneStoreyLoad) ||
        !ReadField(this, height_, {QStringLiteral("建物の高さ h"), QStringLiteral("m"), 1.0, kMaxBuildingHeightM, false},
                   in.buildingHeightM))
        return false;
    in.c0 = c0_->currentIndex() == 1 ? 0.3 : 0.2;
    if (!ReadField(this, wind_, {QStringLiteral("風圧力の係数 C"), QStringLiteral("cm/m²"), kMinWindC, kMaxWindC, true},
                   in.windC))
        return false;
    in.roof.kind = static_cast<RoofKind>(roofKind_->currentIndex() + 1);
    in.placementReport = static_cast<PlacementReport>(placement_->currentIndex());
    in.roof.ridgeDirection = ridge_->currentIndex() == 1 ? kDirY : kDirX;
    const char *const roofNames[3] = {"屋根の高さ", "軒の出", "けらばの出"};
    int32_t *roofValues[3] = {&in.roof.riseMm, &in.roof.eavesMm, &in.roof.vergeMm};
    for (int k = 0; k < 3; ++k) {
        double mm = 0.0;
        const FieldRule rule{QString::fromUtf8(roofNames[k]), QStringLiteral("mm"), 0.0,
                             static_cast<double>(k == 0 ? kMaxRoofRiseMm : kMaxOverhangMm), false};
        if (!ReadField(this, roof_[k], rule, mm))
            return false;
        if (mm != std::floor(mm)) {
            Refuse(this, roof_[k], QStringLiteral("「%1」は mm 単位の整数で入力してください。").arg(rule.name));
            return false;
        }
        *roofValues[k] = static_cast<int32_t>(mm);
    }
    const char *const exposedNames[4] = {"１階 X の見付面積", "１階 Y の見付面積", "２階 X の見付面積",
                                         "２階 Y の見付面積"};
    for (int k = 0; k < 4; ++k) {
        const FieldRule rule{QString::fromUtf8(exposedNames[k]), QStringLiteral("m²"), 0.01, kMaxExposedM2, false};
        if (!ReadField(this, exposed_[k], rule, in.exposedOverride[static_cast<std::size_t>(k)]))
            return false;
    }
    return true;
}

void WallConditionsForm::okClicked()
{
    WallInputs in;
    if (!readInputs(in))
        return;
    if (in == original_) {
        QDialog::reject();
        return;
    }
    if (!document_.setWallInputs(in)) {
        ShowMessage(QStringLiteral("このデータの予備領域に空きがないため、壁量計算の条件を保存できません。"),
                    MessageKind::Ok, kMessageTitle, this);
        return;
    }
    QDialog::accept();
}

void WallConditionsForm::storeDefault()
{
    // Only C0 and the wind coefficient become defaults: the rest belongs to one house.
    WallInputs in = original_;
    in.c0 = c0_->currentIndex() == 1 ? 0.3 : 0.2;
    if (!ReadField(this, wind_, {QStringLiteral("風圧力の係数 C"), QStringLiteral("cm/m²"), kMinWindC, kMaxWindC, true},
                   in.windC))
        return;
    const MessageAnswer answer =
        ShowMessage(QStringLiteral("壁量計算の条件 (C0・風圧力の係数) のデフォルトを変更します。\r\r"
                                   "(変更したデフォルトは、次回新規データから有効になります。)"),
                    MessageKind::OkCancel, kMessageTitleFull, this);
    if (answer == MessageAnswer::Ok)
        StoreWallInputDefaults(state_, in);
}

}  // namespace rqx
