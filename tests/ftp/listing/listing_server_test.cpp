// A real server's listing (pyftpdlib) read into entries: names with blanks at their ends come back
// as the server holds them, and each fetches the file it names.
#include "ftp/listing/listing_file.h"
#include "ftp/transfer_helpers.h"
#include "support/ftp_server_fixture.h"
#include "support/qt_printers.h"
#include "support/server_required.h"

TEST(ListingServer, NamesWithBlanksAtTheirEndsFetchTheirFiles)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    const FtpAccount account = server->AddUser();
    QStringList names = {" a.txt ", "b.txt  ", "  c", "plain.txt"};
    for (const QString& name : names)
        WriteFile(account.home + "/" + name, ("content of [" + name + "]").toUtf8());

    RecordingClient rc;
    TFtpClient& c = rc.client;
    c.SetHostName("127.0.0.1");
    c.SetPort(QString::number(server->Port()));
    c.SetUserName(account.user);
    c.SetPassWord(account.password);
    c.SetPassive(true);
    ASSERT_EQ(rc.Run([&] { c.ConnectAsync(); }), 0);
    ASSERT_EQ(rc.Run([&] { c.TypeBinaryAsync(); }), 0);
    const QString listingFile = account.home + "-listing";
    c.SetHostFileName("");
    c.SetLocalFileName(listingFile);
    ASSERT_EQ(rc.Run([&] { c.DirAsync(); }), 0);

    TListingFile listing;
    listing.LoadFromFile(listingFile);
    EXPECT_EQ(listing.Format(), lfStandardUnix);
    QStringList listed;
    for (const TFtpDirInfo& entry : listing.Entries()) {
        listed << entry.Name;
        c.SetHostFileName(entry.Name);
        c.SetLocalFileName(account.home + "-fetched");
        EXPECT_EQ(rc.Run([&] { c.GetAsync(); }), 0) << "[" << entry.Name.toStdString() << "]";
        EXPECT_EQ(ReadFile(account.home + "-fetched"), ("content of [" + entry.Name + "]").toUtf8());
    }
    listed.sort();
    names.sort();
    EXPECT_EQ(listed, names);
    EXPECT_EQ(rc.Run([&] { c.QuitAsync(); }), 0);
}
