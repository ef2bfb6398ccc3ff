// TemperatureLog.cs - reads sensor lines such as "2024-03-01;kitchen;21.5".
using System;
using System.Collections.Generic;
using System.Globalization;
using System.IO;
using System.Linq;

namespace Sensors
{
    public record Reading(DateTime Day, string Room, double Celsius);

    public static class TemperatureLog
    {
        private const char Separator = ';';

        /// <summary>Parses one line; returns null for comments and blank lines.</summary>
        public static Reading? Parse(string line)
        {
            if (string.IsNullOrWhiteSpace(line) || line.StartsWith('#'))
                return null;
            var parts = line.Split(Separator);
            if (parts.Length != 3)
                throw new FormatException($"expected 3 fields in \"{line}\"");
            return new Reading(
                DateTime.Parse(parts[0], CultureInfo.InvariantCulture),
                parts[1].Trim(),
                double.Parse(parts[2], CultureInfo.InvariantCulture));
        }

        public static async IAsyncEnumerable<Reading> ReadAllAsync(string path)
        {
            using var reader = new StreamReader(path);
            string? line;
            while ((line = await reader.ReadLineAsync()) != null)
            {
                var reading = Parse(line);
                if (reading is not null)
                    yield return reading;
            }
        }

#if DEBUG
        private static void Dump(IEnumerable<Reading> all) =>
            all.ToList().ForEach(r => Console.WriteLine(r));
#endif

        public static async Task<int> Main(string[] args)
        {
            var readings = new List<Reading>();
            await foreach (var r in ReadAllAsync(args.Length > 0 ? args[0] : "log.txt"))
                readings.Add(r);

            /* average per room, warmest first */
            var rooms = from r in readings
                        group r by r.Room into g
                        let avg = g.Average(x => x.Celsius)
                        orderby avg descending
                        select (Room: g.Key, Average: avg);
            foreach (var (room, average) in rooms)
                Console.WriteLine($"{room,-12} {average:F1} \u00b0C");
            return readings.Count == 0 ? 1 : 0;
        }
    }
}
