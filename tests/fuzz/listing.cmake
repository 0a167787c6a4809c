hftp_fuzz_target(listing hftp_ftp)
