#!/usr/bin/perl
# fill-delay-import-directory.pl MAP PROGRAM
# Points PROGRAM's delay-import directory at its delay-import table. mingw-w64's linker lays
# the table out (the records of dlltool's delay-import libraries, in ".text$2", then the zero
# record of DelayImportTableEnd.cpp) but leaves the directory empty, so that Windows' tools,
# and the import test, would not see the table. The records are found in the linker's MAP of
# the program, which carries no symbols of its own.
use strict;
use warnings;
no warnings "portable";  # 64-bit addresses in hex

my ($map, $program) = @ARGV;
die "usage: $0 MAP PROGRAM\n" unless defined $program;

# The map names each record's address; the 32-bit one drops a leading underscore.
my @records;
open(my $symbols, '<', $map) or die "$map: $!\n";
while (<$symbols>) {
    push @records, hex($1) if /^\s+0x([0-9a-f]+)\s+_+DELAY_IMPORT_DESCRIPTOR_/;
}
close($symbols);
die "$program: no delay-import records\n" unless @records;
@records = sort { $a <=> $b } @records;

open(my $file, '+<:raw', $program) or die "$program: $!\n";
sub read_at {
    my ($offset, $length) = @_;
    my $bytes;
    seek($file, $offset, 0) && read($file, $bytes, $length) == $length
        or die "$program: cannot read $length bytes at $offset\n";
    return $bytes;
}

my $pe = unpack('V', read_at(0x3c, 4));
my ($sections, $optional_size) = unpack('x2 v x12 v', read_at($pe + 4, 20));
my $optional = $pe + 24;
my $wide = unpack('v', read_at($optional, 2)) == 0x20b;
my $image_base = $wide ? unpack('Q<', read_at($optional + 24, 8)) : unpack('V', read_at($optional + 28, 4));
my $directory_count = unpack('V', read_at($optional + ($wide ? 108 : 92), 4));
die "$program: no room for a delay-import directory\n" if $directory_count < 14;
my $directory = $optional + ($wide ? 112 : 96) + 13 * 8;

# The file offset of a relative address, through the section table.
sub file_offset {
    my ($rva) = @_;
    for my $i (0 .. $sections - 1) {
        my ($address, $raw_size, $raw) =
            unpack('x12 V V V', read_at($optional + $optional_size + $i * 40, 24));
        return $rva - $address + $raw if $rva >= $address && $rva < $address + $raw_size;
    }
    die sprintf("%s: address 0x%x is in no section\n", $program, $rva);
}

# One record per DLL, side by side, each with relative addresses (attribute 1), and a zero
# record after the last: the table that the directory describes.
my $first = $records[0] - $image_base;
for my $i (0 .. $#records) {
    die "$program: the delay-import records are not side by side\n"
        if $records[$i] != $records[0] + 32 * $i;
    die "$program: a delay-import record without relative addresses\n"
        if unpack('V', read_at(file_offset($first + 32 * $i), 4)) != 1;
}
my $end = read_at(file_offset($first + 32 * @records), 32);
die "$program: no zero record ends the delay-import table\n" if $end ne "\0" x 32;

seek($file, $directory, 0) or die "$program: $!\n";
print $file pack('V V', $first, 32 * (@records + 1));
close($file) or die "$program: $!\n";
