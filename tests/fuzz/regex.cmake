hftp_fuzz_target(regex hftp_editor)
