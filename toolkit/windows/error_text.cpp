// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/error_text.h"

namespace hspring {

namespace {

// What is wrong with a text that is not JSON.
QString syntaxFault(const Error& error) {
    switch (error.problem()) {
    case Problem::JsonExpectedCharacter:
        return QStringLiteral("'%1' がありません").arg(QString::fromStdString(error.detail()));
    case Problem::JsonUnexpectedEnd:
        return QStringLiteral("途中で終わっています");
    case Problem::JsonUnexpectedCharacter:
        return QStringLiteral("予期しない文字");
    case Problem::JsonTooDeep:
        return QStringLiteral("入れ子が深すぎます");
    case Problem::JsonExpectedMemberName:
        return QStringLiteral("メンバー名がありません");
    case Problem::JsonExpectedNumber:
    case Problem::JsonExpectedFractionDigit:
    case Problem::JsonExpectedExponentDigit:
    case Problem::JsonMalformedNumber:
        return QStringLiteral("数値の書き方の誤り");
    case Problem::JsonNumberOutOfRange:
        return QStringLiteral("数値が大きすぎます");
    case Problem::JsonExpectedString:
        return QStringLiteral("文字列がありません");
    case Problem::JsonUnterminatedString:
        return QStringLiteral("文字列が閉じていません");
    case Problem::JsonControlCharacter:
        return QStringLiteral("文字列の中の制御文字");
    case Problem::JsonShortEscape:
    case Problem::JsonBadHexDigit:
    case Problem::JsonUnterminatedEscape:
    case Problem::JsonUnknownEscape:
    case Problem::JsonLoneLowSurrogate:
    case Problem::JsonLoneHighSurrogate:
        return QStringLiteral("エスケープの誤り");
    case Problem::JsonInvalidUtf8:
        return QStringLiteral("UTF-8 ではない文字");
    case Problem::JsonExpectedBoolean:
        return QStringLiteral("true か false が必要です");
    case Problem::JsonExpectedNull:
        return QStringLiteral("null が必要です");
    case Problem::JsonTextAfterValue:
        return QStringLiteral("値の後に余分な文字があります");
    default:
        return {};
    }
}

QString problemText(const Error& error) {
    const QString subject = QString::fromStdString(error.subject());
    const QString field = QString::fromStdString(error.field());
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
        return QString::fromStdString(error.detail());
    case Problem::NotADesignObject:
        return QStringLiteral("設計はJSONのオブジェクトで与えてください");
    case Problem::NotARequirementObject:
        return QStringLiteral("要求はJSONのオブジェクトで与えてください");
    case Problem::UnknownKey:
        return QStringLiteral("キー \"%1\" は使えません").arg(field);
    case Problem::DuplicateKey:
        return QStringLiteral("キー \"%1\" が二度あります").arg(field);
    case Problem::MissingKey:
        return QStringLiteral("%1: 値がありません").arg(field);
    case Problem::ExpectedNumber:
        return QStringLiteral("%1: 数値ではありません").arg(field);
    case Problem::ExpectedInteger:
        return QStringLiteral("%1: 整数ではありません").arg(field);
    case Problem::Expected32BitInteger:
        return QStringLiteral("%1: 32 ビットの整数ではありません").arg(field);
    case Problem::ExpectedFlag:
        return QStringLiteral("%1: 0、1、true、false のいずれかにしてください").arg(field);
    case Problem::ExpectedHookType:
        return QStringLiteral("%1: \"round\" か \"u\" にしてください").arg(field);
    case Problem::ExpectedToleranceGrade:
        return QStringLiteral("%1: 0、1、2、3 のいずれかにしてください").arg(field);
    case Problem::ExpectedIntegerArray:
        return QStringLiteral("%1: 整数の配列ではありません").arg(field);
    case Problem::ExpectedText:
        return QStringLiteral("%1: 文字列ではありません").arg(field);
    case Problem::ExpectedObjective:
        return QStringLiteral(
                   "%1: \"mass\"、\"life\"、\"margin\"、\"accuracy\" のいずれかにしてください")
            .arg(field);
    case Problem::ExpectedDesignBasis:
        return QStringLiteral("%1: \"JIS\" か \"handbook\" にしてください").arg(field);
    case Problem::ExpectedPositiveOrNull:
        return QStringLiteral("%1: 正の数か null にしてください").arg(field);
    case Problem::MaterialOutsideLibrary:
        return QStringLiteral("%1 %2 は材料データにありません (0〜%3)")
            .arg(field, subject, QString::fromStdString(error.detail()));
    case Problem::DiameterOutsideList:
        return QStringLiteral("%1 %2 は材料 %3 の線径表にありません")
            .arg(field, subject, QString::fromStdString(error.detail()));
    case Problem::RequirementUnsearchable:
        return QStringLiteral("この要求では探索できません");
    default:
        break;
    }
    // The rest are JSON syntax faults, at the byte the subject names.
    const QString text =
        QStringLiteral("JSON の書式の誤り: %1（%2 バイト目）").arg(syntaxFault(error), subject);
    return field.isEmpty() ? text : field + QStringLiteral(": ") + text;
}

} // namespace

QString errorText(const Error& error) {
    if (const auto* worded = dynamic_cast<const WordedError*>(&error))
        return worded->text();
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
