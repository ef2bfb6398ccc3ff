#!/usr/bin/perl
# logstats.pl - counts requests per status code and the busiest hours in an access log.
use strict;
use warnings;

my %by_status;
my %by_hour;
my $total = 0;
my $bad   = 0;

sub parse_line {
    my ($line) = @_;
    # 127.0.0.1 - - [10/Oct/2024:13:55:36 +0000] "GET /index.html HTTP/1.1" 200 2326
    return unless $line =~ m{:(\d\d):\d\d:\d\d [^\]]+\] .(GET|POST|HEAD|PUT|DELETE) (\S+) [^ ]+ (\d{3}) };
    return {
        hour   => $1,
        method => uc $2,
        path   => $3,
        status => $4,
    };
}

while (my $line = <>) {
    chomp $line;
    my $req = parse_line($line);
    if (!defined $req) {
        $bad++;
        next;
    }
    $total++;
    $by_status{ $req->{status} }++;
    $by_hour{ $req->{hour} }++ if $req->{method} eq 'GET';
}

die "no requests found\n" if $total == 0;

printf "%-8s %8s %6s\n", 'status', 'requests', 'share';
for my $status (sort { $by_status{$b} <=> $by_status{$a} } keys %by_status) {
    printf "%-8s %8d %5.1f%%\n", $status, $by_status{$status}, 100 * $by_status{$status} / $total;
}

my @busiest = (sort { $by_hour{$b} <=> $by_hour{$a} || $a <=> $b } keys %by_hour)[0 .. 2];
print "busiest hours: ", join(', ', map { "${_}h" } grep { defined } @busiest), "\n";
print STDERR "skipped $bad unreadable line(s)\n" if $bad;
exit($total > $bad ? 0 : 1);
