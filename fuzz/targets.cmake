# The fuzz targets, one line each: name, source in fuzz/, libraries it needs. The starting
# inputs of a target are in fuzz/corpus/<name>/. The fuzzing build (NV742_FUZZ) makes a
# libFuzzer program of each, which scripts/fuzz runs; the normal test suite runs every kept
# input through each (tests/fuzz).
nv742_fuzz_target(channel_file ChannelFileFuzz.cpp nv_core)
nv742_fuzz_target(cli_arguments CliArgumentsFuzz.cpp nv_cli_args)
nv742_fuzz_target(read_link ReadLinkFuzz.cpp nv_link nv_sim)
nv742_fuzz_target(write_link WriteLinkFuzz.cpp nv_link nv_sim)
nv742_fuzz_target(virtual_radio VirtualRadioFuzz.cpp nv_sim)
nv742_fuzz_target(adjust_file AdjustFileFuzz.cpp nv_adjust)
nv742_fuzz_target(csv_import CsvImportFuzz.cpp nv_channel_records)
nv742_fuzz_target(adjust_link AdjustLinkFuzz.cpp nv_adjust nv_sim)
nv742_fuzz_target(clipboard_paste ClipboardPasteFuzz.cpp nv_channel_records)
nv742_fuzz_target(import_plan ImportPlanFuzz.cpp nv_channel_records)
nv742_fuzz_target(cli_verbs CliVerbsFuzz.cpp nv_cli_args)
