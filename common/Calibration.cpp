#include "common/Calibration.h"

#include <QLocale>
#include <cmath>

double UsedBeta(const CalibrationFit& fit) {
    return fit.fitted && fit.races >= FitMinimumRaces ? fit.beta : 1.0;
}

std::vector<double> MarketProbabilities(const std::vector<BacktestStarter>& starters) {
    std::vector<double> p;
    double sum = 0;
    for (const BacktestStarter& s : starters) {
        p.push_back(1.0 / s.odds);
        sum += p.back();
    }
    for (double& x : p) x /= sum;
    return p;
}

std::vector<double> Calibrated(const std::vector<double>& market, double beta) {
    std::vector<double> p;
    double sum = 0;
    for (double x : market) {
        p.push_back(std::pow(x, beta));
        sum += p.back();
    }
    for (double& x : p) x /= sum;
    return p;
}

QString BetaLine(const CalibrationFit& fit) {
    const QString races = QStringLiteral("（%1 レース）").arg([&] {
        QLocale locale = QLocale::c();
        locale.setNumberOptions({});
        return locale.toString(fit.races);
    }());
    if (!fit.fitted) return QStringLiteral("補正指数 β = -") + races;
    return QStringLiteral("補正指数 β = %1 ± %2")
               .arg(fit.beta, 0, 'f', 3)
               .arg(fit.standardError, 0, 'f', 3) +
           races;
}
