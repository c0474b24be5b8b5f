#include "data/Deployment.h"

#include <QDir>
#include <QSettings>

namespace orvel
{

namespace
{

ConnectionSettings readConnection(QSettings& s, const QString& group)
{
    ConnectionSettings c;
    s.beginGroup(group);
    c.host = s.value(QStringLiteral("Host"), c.host).toString();
    c.port = s.value(QStringLiteral("Port"), c.port).toInt();
    c.socket = s.value(QStringLiteral("Socket")).toString();
    c.database = s.value(QStringLiteral("Database")).toString();
    c.user = s.value(QStringLiteral("User")).toString();
    c.password = s.value(QStringLiteral("Password")).toString();
    c.charset = s.value(QStringLiteral("Charset"), c.charset).toString();
    s.endGroup();
    return c;
}

void writeConnection(QSettings& s, const QString& group, const ConnectionSettings& c)
{
    s.beginGroup(group);
    s.setValue(QStringLiteral("Host"), c.host);
    s.setValue(QStringLiteral("Port"), c.port);
    s.setValue(QStringLiteral("Socket"), c.socket);
    s.setValue(QStringLiteral("Database"), c.database);
    s.setValue(QStringLiteral("User"), c.user);
    s.setValue(QStringLiteral("Password"), c.password);
    s.setValue(QStringLiteral("Charset"), c.charset);
    s.endGroup();
}

TlsMode parseTls(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("required"))
        return TlsMode::Required;
    if (t == QLatin1String("preferred"))
        return TlsMode::Preferred;
    return TlsMode::Off;
}

} // namespace

QString Deployment::defaultPath(const QString& programDir)
{
    const QString env = qEnvironmentVariable("ORVEL_DEPLOYMENT");
    if (!env.isEmpty())
        return env;
    return QDir(programDir).filePath(QStringLiteral("deployment.ini"));
}

Deployment Deployment::load(const QString& path)
{
    QSettings s(path, QSettings::IniFormat);
    Deployment d;
    d.memberDirectory = readConnection(s, QStringLiteral("MemberDirectory"));
    d.startupDatabase = readConnection(s, QStringLiteral("StartupDatabase"));
    d.signupUrl = s.value(QStringLiteral("Web/SignupUrl")).toString();
    d.supportUrl = s.value(QStringLiteral("Web/SupportUrl")).toString();
    d.supportText = s.value(QStringLiteral("Web/SupportText")).toString();
    d.skinMain = s.value(QStringLiteral("Skin/Main")).toString();
    d.skinControls = s.value(QStringLiteral("Skin/Controls")).toString();
    d.skinDialogs = s.value(QStringLiteral("Skin/Dialogs")).toString();
    const TlsMode tls = parseTls(s.value(QStringLiteral("Security/TlsMode")).toString());
    const QString ca = s.value(QStringLiteral("Security/TlsCa")).toString();
    for (ConnectionSettings* c : {&d.memberDirectory, &d.startupDatabase}) {
        c->tls = tls;
        c->tlsCa = ca;
    }
    return d;
}

void Deployment::save(const QString& path) const
{
    QSettings s(path, QSettings::IniFormat);
    s.clear();
    writeConnection(s, QStringLiteral("MemberDirectory"), memberDirectory);
    writeConnection(s, QStringLiteral("StartupDatabase"), startupDatabase);
    s.setValue(QStringLiteral("Web/SignupUrl"), signupUrl);
    s.setValue(QStringLiteral("Web/SupportUrl"), supportUrl);
    s.setValue(QStringLiteral("Web/SupportText"), supportText);
    s.setValue(QStringLiteral("Skin/Main"), skinMain);
    s.setValue(QStringLiteral("Skin/Controls"), skinControls);
    s.setValue(QStringLiteral("Skin/Dialogs"), skinDialogs);
    const TlsMode tls = memberDirectory.tls;
    s.setValue(QStringLiteral("Security/TlsMode"),
               tls == TlsMode::Required    ? QStringLiteral("required")
               : tls == TlsMode::Preferred ? QStringLiteral("preferred")
                                           : QStringLiteral("off"));
    s.setValue(QStringLiteral("Security/TlsCa"), memberDirectory.tlsCa);
    s.sync();
}

} // namespace orvel
