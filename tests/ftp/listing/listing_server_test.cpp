// Real servers' listings (pyftpdlib and vsftpd) read into entries: names with blanks at their ends
// come back as the server holds them, and each fetches the file it names.
#include "ftp/listing/listing_file.h"
#include "ftp/transfer_helpers.h"
#include "support/ftp_server_fixture.h"
#include "support/qt_printers.h"
#include "support/server_required.h"
#include "support/test_env.h"
#include "support/vsftpd_fixture.h"

namespace {

struct ServerLogin {
    int port;
    QString user;
    QString password;
    QString root; // the local folder the user sees as the server's root
};

const QStringList BlankEdgedNames = {" a.txt ", "b.txt  ", "  c", "plain.txt"};

void WriteNamedFiles(const QString& root)
{
    for (const QString& name : BlankEdgedNames)
        WriteFile(root + "/" + name, ("content of [" + name + "]").toUtf8());
}

// Lists the root, then fetches every listed name; each must bring its own file.
void ExpectListedNamesFetchTheirFiles(const ServerLogin& login)
{
    RecordingClient rc;
    TFtpClient& c = rc.client;
    c.SetHostName("127.0.0.1");
    c.SetPort(QString::number(login.port));
    c.SetUserName(login.user);
    c.SetPassWord(login.password);
    c.SetPassive(true);
    ASSERT_EQ(rc.Run([&] { c.ConnectAsync(); }), 0);
    ASSERT_EQ(rc.Run([&] { c.TypeBinaryAsync(); }), 0);
    const QString listingFile = login.root + "-listing";
    c.SetHostFileName("");
    c.SetLocalFileName(listingFile);
    ASSERT_EQ(rc.Run([&] { c.DirAsync(); }), 0);

    TListingFile listing;
    listing.LoadFromFile(listingFile);
    EXPECT_EQ(listing.Format(), lfStandardUnix);
    QStringList listed;
    for (const auto& pointer : listing.Entries()) {
        const TFtpDirInfo& entry = *pointer;
        listed << entry.Name;
        c.SetHostFileName(entry.Name);
        c.SetLocalFileName(login.root + "-fetched");
        EXPECT_EQ(rc.Run([&] { c.GetAsync(); }), 0) << "[" << entry.Name.toStdString() << "]";
        EXPECT_EQ(ReadFile(login.root + "-fetched"), ("content of [" + entry.Name + "]").toUtf8());
    }
    listed.sort();
    QStringList names = BlankEdgedNames;
    names.sort();
    EXPECT_EQ(listed, names);
    EXPECT_EQ(rc.Run([&] { c.QuitAsync(); }), 0);
}

} // namespace

TEST(ListingServer, PyftpdlibNamesWithBlanksAtTheirEndsFetchTheirFiles)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    const FtpAccount account = server->AddUser();
    WriteNamedFiles(account.home);
    ExpectListedNamesFetchTheirFiles({server->Port(), account.user, account.password, account.home});
}

TEST(ListingServer, VsftpdNamesWithBlanksAtTheirEndsFetchTheirFiles)
{
    const QString root = testRunFolder() + "/vsftpd-blank-names";
    VsftpdServer server(root);
    HFTP_NEED_SERVER(server.Running(), server.StartError().toStdString());
    WriteNamedFiles(root);
    ExpectListedNamesFetchTheirFiles({server.Port(), VsftpdServer::User(), VsftpdServer::Password(), root});
}
