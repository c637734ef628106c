#!/usr/bin/perl
# The Perl XBase side of the tool's interoperability tests.
#
#   xbase_peer.pl make TABLE SAMPLES.json   writes a dBASE IV table with memos from the samples
#   xbase_peer.pl dump TABLE                prints each record as a JSON line, as the tool lists it
#   xbase_peer.pl theme TABLE RECORDS.json  writes a dBASE IV theme table (THEDATE, THEJOKE) from
#                                           [{"key", "text", "deleted"}, ...]
use strict;
use warnings;
use Encode qw(encode decode);
use JSON::PP;
use XBase;

my $json = JSON::PP->new->canonical(0);

sub make {
    my ($path, $samples_file) = @_;
    open my $in, '<:raw', $samples_file or die "$samples_file: $!";
    my $samples = decode_json(do { local $/; <$in> });
    close $in;
    my $table = XBase->create(
        name => $path, version => 0x0B,
        field_names => [qw(NAME AMOUNT COUNT DAY FLAG NOTE)],
        field_types => [qw(C N N D L M)],
        field_lengths => [20, 10, 6, 8, 1, 10],
        field_decimals => [0, 2, 0, 0, 0, 0]) or die XBase->errstr;
    my $n = 0;
    for my $s (@$samples) {
        my $day = defined $s->{DAY} ? join('', split /-/, $s->{DAY}) : undef;
        my $note = defined $s->{NOTE} ? encode('cp437', $s->{NOTE}) : undef;
        $table->set_record($n++, encode('cp437', $s->{NAME}), $s->{AMOUNT}, $s->{COUNT},
                           $day, $s->{FLAG} ? 1 : 0, $note) or die $table->errstr;
    }
    $table->close;
}

sub dump_table {
    my ($path) = @_;
    my $table = XBase->new($path) or die XBase->errstr;
    my @names = $table->field_names;
    my @types = $table->field_types;
    my @decimals = $table->field_decimals;
    binmode STDOUT;
    for my $n (0 .. $table->last_record) {
        my ($deleted, @values) = $table->get_record($n);
        my @pairs = ('"_recno": ' . ($n + 1), '"_deleted": ' . ($deleted ? 'true' : 'false'));
        for my $i (0 .. $#names) {
            my ($type, $v) = ($types[$i], $values[$i]);
            my $out;
            if ($type eq 'C') {
                $v = '' unless defined $v;
                $v =~ s/ +$//;
                $out = $json->encode([decode('cp437', $v)]);
            } elsif ($type eq 'N' or $type eq 'F') {
                $out = 0 + ($v // 0);
            } elsif ($type eq 'L') {
                $out = (defined $v and $v) ? 'true' : 'false';
            } elsif ($type eq 'D') {
                $out = (defined $v and $v =~ /^(\d{4})(\d\d)(\d\d)$/) ? "\"$1-$2-$3\"" : 'null';
            } else {
                $out = $json->encode([decode('cp437', $v // '')]);
            }
            $out =~ s/^\[(.*)\]$/$1/s;
            push @pairs, $json->encode([$names[$i]]) =~ s/^\[(.*)\]$/$1/sr . ": $out";
        }
        print encode('UTF-8', '{' . join(', ', @pairs) . "}\n");
    }
}

sub theme {
    my ($path, $records_file) = @_;
    open my $in, '<:raw', $records_file or die "$records_file: $!";
    my $records = decode_json(do { local $/; <$in> });
    close $in;
    my $table = XBase->create(
        name => $path, version => 0x0B,
        field_names => [qw(THEDATE THEJOKE)], field_types => [qw(C M)],
        field_lengths => [4, 10], field_decimals => [0, 0]) or die XBase->errstr;
    my $n = 0;
    for my $r (@$records) {
        $table->set_record($n, $r->{key}, encode('cp437', $r->{text})) or die $table->errstr;
        $table->delete_record($n) if $r->{deleted};
        $n++;
    }
    $table->close;
}

my $command = shift @ARGV;
if ($command eq 'make') { make(@ARGV); }
elsif ($command eq 'dump') { dump_table(@ARGV); }
elsif ($command eq 'theme') { theme(@ARGV); }
else { die "unknown command $command\n"; }
