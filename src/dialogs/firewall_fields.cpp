// TFirewallFields.
#include "dialogs/firewall_fields.h"

#include "dialogs/pt_group.h"
#include "platform/widgets/std_controls.h"
#include "routines/password_scrambling.h"
#include "settings/firewalls.h"

#include <QGridLayout>
#include <QLabel>

namespace {

// A captioned group whose fields stand in a grid of label and edit rows.
TPTGroup* Group(const QString& Caption, QWidget* Parent, QGridLayout*& Grid)
{
    auto* group = new TPTGroup(nullptr, Parent);
    group->SetCaption(Caption);
    Grid = new QGridLayout(group);
    Grid->setContentsMargins(10, 20, 10, 8);
    Grid->setVerticalSpacing(4);
    return group;
}

TEdit* Row(QGridLayout* Grid, const QString& Caption)
{
    QWidget* group = Grid->parentWidget();
    const int row = Grid->rowCount();
    auto* edit = new TEdit(group);
    Grid->addWidget(new QLabel(Caption, group), row, 0);
    Grid->addWidget(edit, row, 1);
    return edit;
}

} // namespace

TFirewallFields::TFirewallFields(QWidget* Parent)
{
    QGridLayout* grid = nullptr;
    grpProxy = Group(QStringLiteral("Proxy Settings"), Parent, grid);
    txtProxyServer = Row(grid, QStringLiteral("Proxy Server"));
    grid->setRowStretch(grid->rowCount(), 1);
    grpSocks = Group(QStringLiteral("Socks Settings"), Parent, grid);
    txtSocksServer = Row(grid, QStringLiteral("Socks Server"));
    txtSocksPort = Row(grid, QStringLiteral("Port"));
    txtSocksUserCode = Row(grid, QStringLiteral("User Code"));
    txtSocksPassword = Row(grid, QStringLiteral("Password"));
    txtSocksPassword->setEchoMode(QLineEdit::Password);
}

void TFirewallFields::ShowType(int FirewallType)
{
    grpProxy->setVisible(FirewallType == 0);
    grpSocks->setVisible(FirewallType != 0);
}

void TFirewallFields::Load(const TFirewallItem& Firewall)
{
    txtProxyServer->setText(Firewall.ProxyServer);
    txtSocksServer->setText(Firewall.SocksServer);
    txtSocksUserCode->setText(Firewall.SocksUserCode);
    txtSocksPort->setText(Firewall.SocksPort);
    txtSocksPassword->setText(PasswordFromStore(Firewall.SocksPassword));
}

void TFirewallFields::Store(TFirewallItem& Firewall) const
{
    Firewall.ProxyServer = txtProxyServer->text();
    Firewall.SocksServer = txtSocksServer->text();
    Firewall.SocksUserCode = txtSocksUserCode->text();
    Firewall.SocksPort = txtSocksPort->text();
    Firewall.SocksPassword = PasswordToStore(txtSocksPassword->text());
}
