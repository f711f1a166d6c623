#include "synthetic/page_language.h"

#include <unicode/ucnv.h>

#include <functional>

namespace quillfen::synthetic {

namespace {

// The texts every language shares before its own words go in: the English page.
PageLanguage English() {
  PageLanguage l;
  l.code = "en";
  l.charset = "windows-1252";
  l.symbol = "Symbol";
  l.profit = "Profit";
  l.balance = "Balance";
  l.type = "Type";
  l.price = "Price";
  l.stopLoss = "S / L";
  l.takeProfit = "T / P";
  l.size = "Size";
  l.expertName = "Synthetic Expert";
  l.symbolDescription = "synthetic prices";
  l.period = "Period";
  l.model = "Model";
  l.parameters = "Parameters";
  l.barsInTest = "Bars in test";
  l.ticksModelled = "Ticks modelled";
  l.modellingQuality = "Modelling quality";
  l.mismatchedErrors = "Mismatched charts errors";
  l.periodUnit = "1 Hour (H1)";
  l.modelText = "Every tick (the most precise method based on all available least timeframes)";
  l.initialDeposit = "Initial deposit";
  l.spread = "Spread";
  l.totalNetProfit = "Total net profit";
  l.grossProfit = "Gross profit";
  l.grossLoss = "Gross loss";
  l.profitFactor = "Profit factor";
  l.expectedPayoff = "Expected payoff";
  l.absoluteDrawdown = "Absolute drawdown";
  l.maximalDrawdown = "Maximal drawdown";
  l.relativeDrawdown = "Relative drawdown";
  l.totalTrades = "Total trades";
  l.shortPositions = "Short positions (won %)";
  l.longPositions = "Long positions (won %)";
  l.profitTrades = "Profit trades (% of total)";
  l.lossTrades = "Loss trades (% of total)";
  l.largest = "Largest";
  l.profitTrade = "profit trade";
  l.lossTrade = "loss trade";
  l.average = "Average";
  l.maximum = "Maximum";
  l.consecutiveWinsMoney = "consecutive wins (profit in money)";
  l.consecutiveLossesMoney = "consecutive losses (loss in money)";
  l.maximal = "Maximal";
  l.consecutiveProfitCount = "consecutive profit (count of wins)";
  l.consecutiveLossCount = "consecutive loss (count of losses)";
  l.consecutiveWins = "consecutive wins";
  l.consecutiveLosses = "consecutive losses";
  l.number = "#";
  l.time = "Time";
  l.order = "Order";
  l.accountName = "Synthetic Account";
  l.company = "Synthetic Markets Ltd";
  l.account = "Account:";
  l.name = "Name:";
  l.currency = "Currency:";
  l.leverage = "Leverage:";
  l.months = {"January", "February", "March",     "April",   "May",      "June",
              "July",    "August",   "September", "October", "November", "December"};
  l.closedTransactions = "Closed Transactions:";
  l.openTrades = "Open Trades:";
  l.workingOrders = "Working Orders:";
  l.summary = "Summary:";
  l.details = "Details:";
  l.ticket = "Ticket";
  l.openTime = "Open Time";
  l.item = "Item";
  l.closeTime = "Close Time";
  l.commission = "Commission";
  l.taxes = "Taxes";
  l.swap = "Swap";
  l.marketPrice = "Market Price";
  l.noTransactions = "No transactions";
  l.closedPl = "Closed P/L:";
  l.floatingPl = "Floating P/L:";
  l.depositWithdrawal = "Deposit/Withdrawal:";
  l.creditFacility = "Credit Facility:";
  l.closedTradePl = "Closed Trade P/L:";
  l.margin = "Margin:";
  l.balanceLabel = "Balance:";
  l.equity = "Equity:";
  l.freeMargin = "Free Margin:";
  l.comments = {"grid_ea", "trend follower", "scalper_v2", "hedge"};
  return l;
}

// French, as the terminal writes its tester reports (039) and statements.
PageLanguage French() {
  PageLanguage l = English();
  l.code = "fr";
  l.symbol = "Symbole";
  l.profit = "Profit";
  l.balance = "Solde";
  l.type = "Transaction";
  l.price = "Prix";
  l.stopLoss = "S/L (Stop/Perte)";
  l.takeProfit = "T/P (Prendre/profit)";
  l.size = "Volume";
  l.expertName = "Expert synthétique";
  l.symbolDescription = "prix synthétiques";
  l.period = "Période";
  l.model = "Modele";
  l.parameters = "Paramètres";
  l.barsInTest = "Barres en test";
  l.ticksModelled = "Ticks modelés";
  l.modellingQuality = "Qualité du modelage";
  l.mismatchedErrors = "Erreurs des graphiques désaccordés";
  l.periodUnit = "1 Heure (H1)";
  l.modelText =
      "Chaque tick (la méthode la plus précise, basée sur toutes les informations de tous "
      "les timeframes)";
  l.initialDeposit = "Dépot initial";
  l.spread = "Ecart";
  l.totalNetProfit = "Profit total net";
  l.grossProfit = "Profit brut";
  l.grossLoss = "Perte brute";
  l.profitFactor = "Facteur de profit";
  l.expectedPayoff = "Rémunération espérée";
  l.absoluteDrawdown = "Chute absolue";
  l.maximalDrawdown = "Chute maximale";
  l.relativeDrawdown = "Enfoncement relatif";
  l.totalTrades = "Total des Trades";
  l.shortPositions = "Positions SHORT (vente) gagnées %";
  l.longPositions = "Positions LONG (achat) gagnées %";
  l.profitTrades = "Profits des Trades (% du total)";
  l.lossTrades = "Pertes des Trades (% du total)";
  l.largest = "Le plus large";
  l.profitTrade = "gains par trade";
  l.lossTrade = "pertes par trade";
  l.average = "Moyenne";
  l.maximum = "Maximum";
  l.consecutiveWinsMoney = "gains consécutifs (profit en $)";
  l.consecutiveLossesMoney = "pertes consécutives (perte en $)";
  l.maximal = "Maximum";
  l.consecutiveProfitCount = "Gains consécutifs (coups gagnants)";
  l.consecutiveLossCount = "Pertes consécutives (coups perdants)";
  l.consecutiveWins = "gains consécutifs";
  l.consecutiveLosses = "Pertes consécutives";
  l.time = "Heure";
  l.order = "Ordre";
  l.accountName = "Compte synthétique Hélène";
  l.company = "Marchés Synthétiques SA";
  l.account = "Compte:";
  l.name = "Nom:";
  l.currency = "Devise:";
  l.leverage = "Effet de levier:";
  l.months = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
              "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
  l.closedTransactions = "Transactions fermées:";
  l.openTrades = "Transactions ouvertes:";
  l.workingOrders = "Ordres en attente:";
  l.summary = "Résumé:";
  l.details = "Détails:";
  l.openTime = "Heure d'ouverture";
  l.item = "Symbole";
  l.closeTime = "Heure de clôture";
  l.marketPrice = "Prix du marché";
  l.noTransactions = "Pas de transactions";
  l.closedPl = "P/P fermés:";
  l.floatingPl = "P/P flottants:";
  l.depositWithdrawal = "Dépôt/Retrait:";
  l.creditFacility = "Facilité de crédit:";
  l.closedTradePl = "P/P des transactions fermées:";
  l.margin = "Marge:";
  l.balanceLabel = "Solde:";
  l.equity = "Fonds propres:";
  l.freeMargin = "Marge libre:";
  l.comments = {"grille_ea", "suiveur de tendance", "scalpeur_v2", "couverture protégée"};
  return l;
}

// Russian, as the terminal writes its tester reports (032) and statements.
PageLanguage Russian() {
  PageLanguage l = English();
  l.code = "ru";
  l.charset = "windows-1251";
  l.symbol = "Символ";
  l.profit = "Прибыль";
  l.balance = "Баланс";
  l.type = "Тип";
  l.price = "Цена";
  l.size = "Объем";
  l.expertName = "Синтетический эксперт";
  l.symbolDescription = "синтетические цены";
  l.period = "Период";
  l.model = "Модель";
  l.parameters = "Параметры";
  l.barsInTest = "Баров в истории";
  l.ticksModelled = "Смоделировано тиков";
  l.modellingQuality = "Качество моделирования";
  l.mismatchedErrors = "Ошибки рассогласования графиков";
  l.periodUnit = "1 Час (H1)";
  l.modelText = "Все тики (наиболее точный метод на основе всех наименьших доступных таймфреймов)";
  l.initialDeposit = "Начальный депозит";
  l.spread = "Спред";
  l.totalNetProfit = "Чистая прибыль";
  l.grossProfit = "Общая прибыль";
  l.grossLoss = "Общий убыток";
  l.profitFactor = "Прибыльность";
  l.expectedPayoff = "Матожидание выигрыша";
  l.absoluteDrawdown = "Абсолютная просадка";
  l.maximalDrawdown = "Максимальная просадка";
  l.relativeDrawdown = "Относительная просадка";
  l.totalTrades = "Всего сделок";
  l.shortPositions = "Короткие позиции (% выигравших)";
  l.longPositions = "Длинные позиции (% выигравших)";
  l.profitTrades = "Прибыльные сделки (% от всех)";
  l.lossTrades = "Убыточные сделки (% от всех)";
  l.largest = "Самая большая";
  l.profitTrade = "прибыльная сделка";
  l.lossTrade = "убыточная сделка";
  l.average = "Средняя";
  l.maximum = "Максимальное количество";
  l.consecutiveWinsMoney = "непрерывных выигрышей (прибыль)";
  l.consecutiveLossesMoney = "непрерывных проигрышей (убыток)";
  l.maximal = "Макс.";
  l.consecutiveProfitCount = "непрерывная прибыль (число выигрышей)";
  l.consecutiveLossCount = "непрерывный убыток (число проигрышей)";
  l.consecutiveWins = "непрерывный выигрыш";
  l.consecutiveLosses = "непрерывный проигрыш";
  l.number = "№";
  l.time = "Время";
  l.order = "Ордер";
  l.accountName = "Синтетический счёт Иванова";
  l.company = "Синтетические Рынки";
  l.account = "Счет:";
  l.name = "Имя:";
  l.currency = "Валюта:";
  l.leverage = "Кредитное плечо:";
  l.months = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
              "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
  l.closedTransactions = "Закрытые сделки:";
  l.openTrades = "Открытые позиции:";
  l.workingOrders = "Отложенные ордера:";
  l.summary = "Итого:";
  l.details = "Подробности:";
  l.ticket = "Тикет";
  l.openTime = "Время открытия";
  l.item = "Символ";
  l.closeTime = "Время закрытия";
  l.commission = "Комиссия";
  l.taxes = "Налоги";
  l.swap = "Своп";
  l.marketPrice = "Рыночная цена";
  l.noTransactions = "Нет сделок";
  l.closedPl = "Закрытые П/У:";
  l.floatingPl = "Плавающие П/У:";
  l.depositWithdrawal = "Пополнение/Снятие:";
  l.creditFacility = "Кредитные средства:";
  l.closedTradePl = "Закрытые П/У:";
  l.margin = "Маржа:";
  l.balanceLabel = "Баланс:";
  l.equity = "Средства:";
  l.freeMargin = "Свободная маржа:";
  l.comments = {"сетка_ea", "по тренду", "скальпер_v2", "хедж"};
  return l;
}

PageLanguage Spanish() {
  PageLanguage l = English();
  l.code = "es";
  l.symbol = "Símbolo";
  l.profit = "Beneficios";
  l.balance = "Balance";
  l.type = "Tipo";
  l.price = "Precio";
  l.size = "Volumen";
  l.expertName = "Experto sintético";
  l.symbolDescription = "precios sintéticos";
  l.period = "Período";
  l.model = "Modelo";
  l.parameters = "Parámetros";
  l.barsInTest = "Barras en la historia";
  l.ticksModelled = "Ticks modelados";
  l.modellingQuality = "Calidad del modelado";
  l.mismatchedErrors = "Errores de gráficos no coincidentes";
  l.periodUnit = "1 Hora (H1)";
  l.modelText =
      "Todos los ticks (el método más preciso basado en los periodos menores disponibles)";
  l.initialDeposit = "Depósito inicial";
  l.spread = "Spread";
  l.totalNetProfit = "Beneficio neto total";
  l.grossProfit = "Beneficio bruto";
  l.grossLoss = "Pérdidas brutas";
  l.profitFactor = "Factor de beneficio";
  l.expectedPayoff = "Beneficio esperado";
  l.absoluteDrawdown = "Reducción absoluta";
  l.maximalDrawdown = "Reducción máxima";
  l.relativeDrawdown = "Reducción relativa";
  l.totalTrades = "Total de transacciones";
  l.shortPositions = "Posiciones cortas (% ganadas)";
  l.longPositions = "Posiciones largas (% ganadas)";
  l.profitTrades = "Transacciones rentables (% del total)";
  l.lossTrades = "Transacciones no rentables (% del total)";
  l.largest = "La mayor";
  l.profitTrade = "transacción rentable";
  l.lossTrade = "transacción no rentable";
  l.average = "Promedio";
  l.maximum = "Máximo";
  l.consecutiveWinsMoney = "ganancias consecutivas (beneficio)";
  l.consecutiveLossesMoney = "pérdidas consecutivas (pérdida)";
  l.maximal = "Máximo";
  l.consecutiveProfitCount = "beneficio consecutivo (número de ganancias)";
  l.consecutiveLossCount = "pérdida consecutiva (número de pérdidas)";
  l.consecutiveWins = "ganancias consecutivas";
  l.consecutiveLosses = "pérdidas consecutivas";
  l.time = "Tiempo";
  l.order = "Orden";
  l.accountName = "Cuenta sintética Muñoz";
  l.company = "Mercados Sintéticos S.A.";
  l.account = "Cuenta:";
  l.name = "Nombre:";
  l.currency = "Divisa:";
  l.leverage = "Apalancamiento:";
  l.months = {"enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
              "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};
  l.closedTransactions = "Transacciones cerradas:";
  l.openTrades = "Posiciones abiertas:";
  l.workingOrders = "Órdenes pendientes:";
  l.summary = "Resumen:";
  l.details = "Detalles:";
  l.openTime = "Hora de apertura";
  l.item = "Símbolo";
  l.closeTime = "Hora de cierre";
  l.commission = "Comisión";
  l.taxes = "Impuestos";
  l.marketPrice = "Precio de mercado";
  l.noTransactions = "Sin transacciones";
  l.closedPl = "B/P cerrado:";
  l.floatingPl = "B/P flotante:";
  l.depositWithdrawal = "Depósito/Retirada:";
  l.creditFacility = "Crédito:";
  l.closedTradePl = "B/P de transacciones cerradas:";
  l.margin = "Margen:";
  l.balanceLabel = "Balance:";
  l.equity = "Fondos:";
  l.freeMargin = "Margen libre:";
  l.comments = {"rejilla_ea", "seguidor de tendencia", "revendedor_v2", "cobertura pequeña"};
  return l;
}

PageLanguage Turkish() {
  PageLanguage l = English();
  l.code = "tr";
  l.charset = "windows-1254";
  l.symbol = "Sembol";
  l.profit = "Kâr";
  l.balance = "Bakiye";
  l.type = "Tip";
  l.price = "Fiyat";
  l.size = "Hacim";
  l.expertName = "Sentetik Uzman";
  l.symbolDescription = "sentetik fiyatlar";
  l.period = "Periyot";
  l.model = "Model";
  l.parameters = "Parametreler";
  l.barsInTest = "Test edilen çubuklar";
  l.ticksModelled = "Modellenen tikler";
  l.modellingQuality = "Modelleme kalitesi";
  l.mismatchedErrors = "Uyumsuz grafik hataları";
  l.periodUnit = "1 Saat (H1)";
  l.modelText = "Her tik (mevcut en küçük zaman dilimlerine dayanan en hassas yöntem)";
  l.initialDeposit = "İlk yatırım";
  l.spread = "Spread";
  l.totalNetProfit = "Toplam net kâr";
  l.grossProfit = "Brüt kâr";
  l.grossLoss = "Brüt zarar";
  l.profitFactor = "Kâr faktörü";
  l.expectedPayoff = "Beklenen getiri";
  l.absoluteDrawdown = "Mutlak düşüş";
  l.maximalDrawdown = "Azami düşüş";
  l.relativeDrawdown = "Göreceli düşüş";
  l.totalTrades = "Toplam işlem";
  l.shortPositions = "Kısa pozisyonlar (kazanan %)";
  l.longPositions = "Uzun pozisyonlar (kazanan %)";
  l.profitTrades = "Kârlı işlemler (toplamın %)";
  l.lossTrades = "Zararlı işlemler (toplamın %)";
  l.largest = "En büyük";
  l.profitTrade = "kârlı işlem";
  l.lossTrade = "zararlı işlem";
  l.average = "Ortalama";
  l.maximum = "Azami";
  l.consecutiveWinsMoney = "ardışık kazanç (para olarak kâr)";
  l.consecutiveLossesMoney = "ardışık kayıp (para olarak zarar)";
  l.maximal = "Azami";
  l.consecutiveProfitCount = "ardışık kâr (kazanç sayısı)";
  l.consecutiveLossCount = "ardışık zarar (kayıp sayısı)";
  l.consecutiveWins = "ardışık kazanç";
  l.consecutiveLosses = "ardışık kayıp";
  l.time = "Zaman";
  l.order = "Emir";
  l.accountName = "Sentetik Hesap Yılmaz";
  l.company = "Sentetik Piyasalar AŞ";
  l.account = "Hesap:";
  l.name = "İsim:";
  l.currency = "Para birimi:";
  l.leverage = "Kaldıraç:";
  l.months = {"Ocak",   "Şubat",   "Mart",  "Nisan", "Mayıs", "Haziran",
              "Temmuz", "Ağustos", "Eylül", "Ekim",  "Kasım", "Aralık"};
  l.closedTransactions = "Kapanmış işlemler:";
  l.openTrades = "Açık işlemler:";
  l.workingOrders = "Bekleyen emirler:";
  l.summary = "Özet:";
  l.details = "Ayrıntılar:";
  l.ticket = "Bilet";
  l.openTime = "Açılış zamanı";
  l.item = "Sembol";
  l.closeTime = "Kapanış zamanı";
  l.commission = "Komisyon";
  l.taxes = "Vergiler";
  l.marketPrice = "Piyasa fiyatı";
  l.noTransactions = "İşlem yok";
  l.closedPl = "Kapanmış K/Z:";
  l.floatingPl = "Değişken K/Z:";
  l.depositWithdrawal = "Yatırma/Çekme:";
  l.creditFacility = "Kredi:";
  l.closedTradePl = "Kapanmış işlem K/Z:";
  l.margin = "Teminat:";
  l.balanceLabel = "Bakiye:";
  l.equity = "Varlık:";
  l.freeMargin = "Serbest teminat:";
  l.comments = {"ızgara_ea", "trend takipçisi", "scalper_v2", "korunma işlemi"};
  return l;
}

PageLanguage German() {
  PageLanguage l = English();
  l.code = "de";
  l.symbol = "Symbol";
  l.profit = "Gewinn";
  l.balance = "Kontostand";
  l.type = "Typ";
  l.price = "Preis";
  l.size = "Größe";
  l.expertName = "Synthetischer Experte";
  l.symbolDescription = "synthetische Preise";
  l.period = "Zeitraum";
  l.model = "Modell";
  l.parameters = "Parameter";
  l.barsInTest = "Balken im Test";
  l.ticksModelled = "Modellierte Ticks";
  l.modellingQuality = "Modellierungsqualität";
  l.mismatchedErrors = "Fehler nicht übereinstimmender Charts";
  l.periodUnit = "1 Stunde (H1)";
  l.modelText = "Jeder Tick (die genaueste Methode auf Basis der kleinsten verfügbaren Zeitrahmen)";
  l.initialDeposit = "Ersteinlage";
  l.spread = "Spread";
  l.totalNetProfit = "Gesamtnettogewinn";
  l.grossProfit = "Bruttogewinn";
  l.grossLoss = "Bruttoverlust";
  l.profitFactor = "Profitfaktor";
  l.expectedPayoff = "Erwartetes Ergebnis";
  l.absoluteDrawdown = "Absoluter Rückgang";
  l.maximalDrawdown = "Maximaler Rückgang";
  l.relativeDrawdown = "Relativer Rückgang";
  l.totalTrades = "Trades gesamt";
  l.shortPositions = "Short-Positionen (gewonnen %)";
  l.longPositions = "Long-Positionen (gewonnen %)";
  l.profitTrades = "Gewinntrades (% von gesamt)";
  l.lossTrades = "Verlusttrades (% von gesamt)";
  l.largest = "Größter";
  l.profitTrade = "Gewinntrade";
  l.lossTrade = "Verlusttrade";
  l.average = "Durchschnittlicher";
  l.maximum = "Maximum";
  l.consecutiveWinsMoney = "aufeinanderfolgende Gewinne (Gewinn in Geld)";
  l.consecutiveLossesMoney = "aufeinanderfolgende Verluste (Verlust in Geld)";
  l.maximal = "Maximal";
  l.consecutiveProfitCount = "aufeinanderfolgender Gewinn (Anzahl Gewinne)";
  l.consecutiveLossCount = "aufeinanderfolgender Verlust (Anzahl Verluste)";
  l.consecutiveWins = "aufeinanderfolgende Gewinne";
  l.consecutiveLosses = "aufeinanderfolgende Verluste";
  l.time = "Zeit";
  l.order = "Auftrag";
  l.accountName = "Synthetisches Konto Müller";
  l.company = "Synthetische Märkte GmbH";
  l.account = "Konto:";
  l.name = "Name:";
  l.currency = "Währung:";
  l.leverage = "Hebel:";
  l.months = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
              "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
  l.closedTransactions = "Geschlossene Transaktionen:";
  l.openTrades = "Offene Trades:";
  l.workingOrders = "Pending Orders:";
  l.summary = "Zusammenfassung:";
  l.details = "Details:";
  l.openTime = "Eröffnungszeit";
  l.item = "Symbol";
  l.closeTime = "Schlusszeit";
  l.commission = "Kommission";
  l.taxes = "Steuern";
  l.marketPrice = "Marktpreis";
  l.noTransactions = "Keine Transaktionen";
  l.closedPl = "Geschlossene G/V:";
  l.floatingPl = "Laufende G/V:";
  l.depositWithdrawal = "Einzahlung/Auszahlung:";
  l.creditFacility = "Kreditrahmen:";
  l.closedTradePl = "G/V geschlossener Trades:";
  l.margin = "Marge:";
  l.balanceLabel = "Kontostand:";
  l.equity = "Eigenkapital:";
  l.freeMargin = "Freie Marge:";
  l.comments = {"gitter_ea", "Trendfolger", "scalper_v2", "Absicherung für Verluste"};
  return l;
}

PageLanguage Japanese() {
  PageLanguage l = English();
  l.code = "ja";
  l.charset = "windows-31j";
  l.symbol = "通貨ペア";
  l.profit = "損益";
  l.balance = "残高";
  l.type = "取引種別";
  l.price = "価格";
  l.stopLoss = "決済逆指値(S/L)";
  l.takeProfit = "決済指値(T/P)";
  l.size = "数量";
  l.expertName = "合成エキスパート";
  l.symbolDescription = "合成価格";
  l.period = "期間";
  l.model = "モデル";
  l.parameters = "パラメーター";
  l.barsInTest = "テストバー数";
  l.ticksModelled = "モデルティック数";
  l.modellingQuality = "モデリング品質";
  l.mismatchedErrors = "不整合チャートエラー";
  l.periodUnit = "1時間足 (H1)";
  l.modelText = "全ティック (最も正確な方法)";
  l.initialDeposit = "初期証拠金";
  l.spread = "スプレッド";
  l.totalNetProfit = "純益";
  l.grossProfit = "総利益";
  l.grossLoss = "総損失";
  l.profitFactor = "プロフィットファクタ";
  l.expectedPayoff = "期待利得";
  l.absoluteDrawdown = "絶対ドローダウン";
  l.maximalDrawdown = "最大ドローダウン";
  l.relativeDrawdown = "相対ドローダウン";
  l.totalTrades = "総取引数";
  l.shortPositions = "売りポジション(勝率%)";
  l.longPositions = "買いポジション(勝率%)";
  l.profitTrades = "勝トレード(勝率%)";
  l.lossTrades = "負トレード(負率%)";
  l.largest = "最大";
  l.profitTrade = "勝トレード";
  l.lossTrade = "負トレード";
  l.average = "平均";
  l.maximum = "最大";
  l.consecutiveWinsMoney = "連勝(金額)";
  l.consecutiveLossesMoney = "連敗(金額)";
  l.maximal = "最大";
  l.consecutiveProfitCount = "連続勝トレード(回数)";
  l.consecutiveLossCount = "連続負トレード(回数)";
  l.consecutiveWins = "連勝";
  l.consecutiveLosses = "連敗";
  l.time = "時間";
  l.order = "注文番号";
  l.accountName = "合成口座 山田太郎";
  l.company = "合成マーケッツ株式会社";
  l.account = "口座番号:";
  l.name = "名前:";
  l.currency = "通貨:";
  l.leverage = "レバレッジ:";
  l.months = {"1月", "2月", "3月", "4月",  "5月",  "6月",
              "7月", "8月", "9月", "10月", "11月", "12月"};
  l.closedTransactions = "決済情報:";
  l.openTrades = "オープンポジション情報:";
  l.workingOrders = "注文中の情報:";
  l.summary = "サマリー:";
  l.details = "詳細:";
  l.ticket = "チケット";
  l.openTime = "新規約定時間";
  l.item = "通貨ペア";
  l.closeTime = "決済約定時間";
  l.commission = "手数料";
  l.taxes = "税金";
  l.swap = "スワップ";
  l.marketPrice = "現在値";
  l.noTransactions = "取引なし";
  l.closedPl = "決済損益:";
  l.floatingPl = "評価損益:";
  l.depositWithdrawal = "入出金:";
  l.creditFacility = "クレジット:";
  l.closedTradePl = "決済取引損益:";
  l.margin = "証拠金:";
  l.balanceLabel = "残高:";
  l.equity = "有効証拠金:";
  l.freeMargin = "余剰証拠金:";
  l.comments = {"グリッド_ea", "トレンド追従", "スキャルパー_v2", "ヘッジ"};
  return l;
}

PageLanguage Chinese() {
  PageLanguage l = English();
  l.code = "zh";
  l.charset = "GBK";
  l.symbol = "交易品种";
  l.profit = "盈利";
  l.balance = "余额";
  l.type = "类型";
  l.price = "价格";
  l.stopLoss = "止损";
  l.takeProfit = "获利";
  l.size = "手数";
  l.expertName = "合成智能交易";
  l.symbolDescription = "合成价格";
  l.period = "周期";
  l.model = "模型";
  l.parameters = "参数";
  l.barsInTest = "测试柱数";
  l.ticksModelled = "模拟订单";
  l.modellingQuality = "模型质量";
  l.mismatchedErrors = "不匹配的图表错误";
  l.periodUnit = "1小时 (H1)";
  l.modelText = "每一个分时 (最精确的方法)";
  l.initialDeposit = "初始存款";
  l.spread = "点差";
  l.totalNetProfit = "总净盈利";
  l.grossProfit = "总获利";
  l.grossLoss = "总亏损";
  l.profitFactor = "盈利比率";
  l.expectedPayoff = "预期获利";
  l.absoluteDrawdown = "绝对亏损";
  l.maximalDrawdown = "最大亏损";
  l.relativeDrawdown = "相对亏损";
  l.totalTrades = "交易总数";
  l.shortPositions = "卖单 (获利 %)";
  l.longPositions = "买单 (获利 %)";
  l.profitTrades = "盈利交易 (占总数 %)";
  l.lossTrades = "亏损交易 (占总数 %)";
  l.largest = "最大";
  l.profitTrade = "获利交易";
  l.lossTrade = "亏损交易";
  l.average = "平均";
  l.maximum = "最多";
  l.consecutiveWinsMoney = "连续获利 (获利金额)";
  l.consecutiveLossesMoney = "连续亏损 (亏损金额)";
  l.maximal = "最多";
  l.consecutiveProfitCount = "连续获利金额 (盈利次数)";
  l.consecutiveLossCount = "连续亏损金额 (亏损次数)";
  l.consecutiveWins = "连续获利";
  l.consecutiveLosses = "连续亏损";
  l.time = "时间";
  l.order = "订单";
  l.accountName = "合成账户 王小明";
  l.company = "合成市场有限公司";
  l.account = "账户:";
  l.name = "姓名:";
  l.currency = "货币:";
  l.leverage = "杠杆:";
  l.months = {"一月", "二月", "三月", "四月", "五月",   "六月",
              "七月", "八月", "九月", "十月", "十一月", "十二月"};
  l.closedTransactions = "已平仓交易:";
  l.openTrades = "未平仓交易:";
  l.workingOrders = "挂单:";
  l.summary = "总结:";
  l.details = "详情:";
  l.ticket = "订单号";
  l.openTime = "开仓时间";
  l.item = "交易品种";
  l.closeTime = "平仓时间";
  l.commission = "手续费";
  l.taxes = "税费";
  l.swap = "库存费";
  l.marketPrice = "市场价格";
  l.noTransactions = "无交易";
  l.closedPl = "平仓盈亏:";
  l.floatingPl = "浮动盈亏:";
  l.depositWithdrawal = "入金/出金:";
  l.creditFacility = "信用额度:";
  l.closedTradePl = "平仓交易盈亏:";
  l.margin = "预付款:";
  l.balanceLabel = "余额:";
  l.equity = "净值:";
  l.freeMargin = "可用预付款:";
  l.comments = {"网格_ea", "趋势跟随", "剥头皮_v2", "对冲"};
  return l;
}

struct Known {
  const char* code;
  PageLanguage (*make)();
};
constexpr Known kLanguages[] = {{"en", English}, {"fr", French}, {"ru", Russian},  {"es", Spanish},
                                {"tr", Turkish}, {"de", German}, {"ja", Japanese}, {"zh", Chinese}};

// UTF-8 text into the code page; false when a character has no place there.
bool Encode(std::string& text, const char* charset) {
  if (text.empty()) return true;
  UErrorCode error = U_ZERO_ERROR;
  std::string out(text.size() * 4 + 4, '\0');
  UConverter* target = ucnv_open(charset, &error);
  UConverter* source = ucnv_open("UTF-8", &error);
  if (U_SUCCESS(error)) {
    ucnv_setFromUCallBack(target, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    const char* in = text.data();
    char* to = out.data();
    ucnv_convertEx(target, source, &to, out.data() + out.size(), &in, text.data() + text.size(),
                   nullptr, nullptr, nullptr, nullptr, true, true, &error);
    out.resize(static_cast<std::size_t>(to - out.data()));
  }
  if (target) ucnv_close(target);
  if (source) ucnv_close(source);
  if (U_FAILURE(error)) return false;
  text = std::move(out);
  return true;
}

}  // namespace

std::string PageLanguage::Comment(std::string_view english) const {
  static constexpr std::string_view kOwn[] = {"grid_ea", "trend follower", "scalper_v2", "hedge"};
  for (std::size_t i = 0; i < std::size(kOwn); ++i) {
    if (!english.starts_with(kOwn[i])) continue;
    std::string_view rest = english.substr(kOwn[i].size());
    if (!rest.empty() && rest != "[tp]" && rest != "[sl]") continue;
    return comments[i] + std::string(rest);
  }
  return std::string(english);
}

std::vector<std::string> PageLanguageCodes() {
  std::vector<std::string> codes;
  for (const Known& known : kLanguages) codes.emplace_back(known.code);
  return codes;
}

bool LoadPageLanguage(std::string_view code, std::string_view charset, PageLanguage& language) {
  for (const Known& known : kLanguages) {
    if (code != known.code) continue;
    PageLanguage l = known.make();
    if (!charset.empty()) l.charset = std::string(charset);
    if (l.charset != "UTF-8" && l.charset != "utf-8") {
      bool encoded = true;
      auto encode = [&](std::string& text) {
        encoded = encoded && Encode(text, l.charset.c_str());
      };
      for (std::string* text : {&l.symbol,
                                &l.profit,
                                &l.balance,
                                &l.type,
                                &l.price,
                                &l.stopLoss,
                                &l.takeProfit,
                                &l.size,
                                &l.expertName,
                                &l.symbolDescription,
                                &l.period,
                                &l.model,
                                &l.parameters,
                                &l.barsInTest,
                                &l.ticksModelled,
                                &l.modellingQuality,
                                &l.mismatchedErrors,
                                &l.periodUnit,
                                &l.modelText,
                                &l.initialDeposit,
                                &l.spread,
                                &l.totalNetProfit,
                                &l.grossProfit,
                                &l.grossLoss,
                                &l.profitFactor,
                                &l.expectedPayoff,
                                &l.absoluteDrawdown,
                                &l.maximalDrawdown,
                                &l.relativeDrawdown,
                                &l.totalTrades,
                                &l.shortPositions,
                                &l.longPositions,
                                &l.profitTrades,
                                &l.lossTrades,
                                &l.largest,
                                &l.profitTrade,
                                &l.lossTrade,
                                &l.average,
                                &l.maximum,
                                &l.consecutiveWinsMoney,
                                &l.consecutiveLossesMoney,
                                &l.maximal,
                                &l.consecutiveProfitCount,
                                &l.consecutiveLossCount,
                                &l.consecutiveWins,
                                &l.consecutiveLosses,
                                &l.number,
                                &l.time,
                                &l.order,
                                &l.accountName,
                                &l.company,
                                &l.account,
                                &l.name,
                                &l.currency,
                                &l.leverage,
                                &l.closedTransactions,
                                &l.openTrades,
                                &l.workingOrders,
                                &l.summary,
                                &l.details,
                                &l.ticket,
                                &l.openTime,
                                &l.item,
                                &l.closeTime,
                                &l.commission,
                                &l.taxes,
                                &l.swap,
                                &l.marketPrice,
                                &l.noTransactions,
                                &l.closedPl,
                                &l.floatingPl,
                                &l.depositWithdrawal,
                                &l.creditFacility,
                                &l.closedTradePl,
                                &l.margin,
                                &l.balanceLabel,
                                &l.equity,
                                &l.freeMargin})
        encode(*text);
      for (std::string& month : l.months) encode(month);
      for (std::string& comment : l.comments) encode(comment);
      if (!encoded) return false;
    }
    language = std::move(l);
    return true;
  }
  return false;
}

}  // namespace quillfen::synthetic
