// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/error_text.h"

namespace hspring {

namespace {

QString problemText(const Error& error) {
    const QString subject = QString::fromStdString(error.subject());
    switch (error.problem()) {
    case Problem::NotANumber:
        return QStringLiteral("'%1' は浮動小数点数ではありません").arg(subject);
    case Problem::NotAnInteger:
        return QStringLiteral("'%1' は有効な整数ではありません").arg(subject);
    case Problem::FileUnreadable:
        return QStringLiteral("ファイル %1 は開けません").arg(subject);
    case Problem::FileNotCreated: {
        QString text = QStringLiteral("ファイル %1 を作成できません").arg(subject);
        if (!error.detail().empty())
            text += QLatin1Char('\n') + QString::fromStdString(error.detail());
        return text;
    }
    case Problem::PrintFailed:
        return QStringLiteral("プリンタ %1 で印刷できませんでした。").arg(subject);
    case Problem::DivisionByZero:
        return QStringLiteral("0 による浮動小数点数除算");
    case Problem::InvalidOperation:
        return QStringLiteral("不正な浮動小数点数演算命令");
    case Problem::Overflow:
        return QStringLiteral("浮動小数点数のオーバーフロー");
    case Problem::NoSuchSlot:
        return QStringLiteral("スロット %1 はありません (0〜%2)")
            .arg(subject, QString::fromStdString(error.detail()));
    case Problem::EmptySlot:
        return QStringLiteral("スロット %1 は空です").arg(subject);
    case Problem::NotOneDesign:
        return QStringLiteral("要目表には設計が 1 件だけ必要です (%1 件)").arg(subject);
    case Problem::TooManyTurns:
        return QStringLiteral("巻き数が多すぎるため描画できません（%1 巻まで）").arg(subject);
    case Problem::NotPositiveFinite:
        return QStringLiteral("0 より大きい有限の数を入力してください");
    case Problem::NoInnerDiameter:
        return QStringLiteral("内径が 0 以下になります（平均径は線径より大きくしてください）");
    case Problem::ResultsOverflow:
        return QStringLiteral("値が大きすぎる（または小さすぎる）ため計算結果があふれます");
    case Problem::HookAngleNotDrawable:
        return QStringLiteral("フック角度が0～180°の範囲外のため形状を描けません");
    case Problem::UHookNotDrawable:
        return QStringLiteral("Uフックの寸法が合わないため形状を描けません");
    case Problem::NegativeInitialTension:
        return QStringLiteral("初張力は 0 以上を入力してください");
    case Problem::BadData:
        break;
    }
    return QString::fromStdString(error.detail());
}

} // namespace

QString errorText(const Error& error) {
    if (const auto* field = dynamic_cast<const FieldConversionError*>(&error))
        return field->caption() + QStringLiteral(": ") + problemText(error);
    return problemText(error);
}

QString errorText(const std::exception& failure) {
    if (const auto* error = dynamic_cast<const Error*>(&failure))
        return errorText(*error);
    return QString::fromUtf8(failure.what());
}

} // namespace hspring
