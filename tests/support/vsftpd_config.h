// The configuration vsftpd runs with in the tests and the transfer benchmark: on 127.0.0.1:Port in
// the foreground, anonymous logins only, rooted at AnonRoot, with every write right (the writable
// folder below AnonRoot is the caller's), and EmptyFolder as its secure chroot folder.
#pragma once

#include <QByteArray>
#include <QString>

inline QByteArray VsftpdConfig(int Port, const QString& AnonRoot, const QString& EmptyFolder)
{
    return QStringLiteral("listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\nlisten_port=%1\n"
                          "background=NO\nanonymous_enable=YES\nlocal_enable=NO\nno_anon_password=YES\n"
                          "anon_root=%2\nftp_username=ftp\nwrite_enable=YES\nanon_upload_enable=YES\n"
                          "anon_mkdir_write_enable=YES\nanon_other_write_enable=YES\nanon_umask=022\n"
                          "file_open_mode=0666\nconnect_from_port_20=NO\npasv_enable=YES\nport_enable=YES\n"
                          "secure_chroot_dir=%3\nseccomp_sandbox=NO\nisolate=NO\nisolate_network=NO\n"
                          "xferlog_enable=NO\ndirmessage_enable=NO\nuse_localtime=NO\ncheck_shell=NO\n")
        .arg(Port)
        .arg(AnonRoot, EmptyFolder)
        .toUtf8();
}
