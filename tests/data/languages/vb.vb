' InvoiceWriter.vb - totals invoice lines and writes a plain-text invoice.
Option Strict On
Option Explicit On

Imports System.Collections.Generic
Imports System.Globalization
Imports System.IO
Imports System.Text

Public Class InvoiceLine
    Public Property Description As String
    Public Property Quantity As Integer
    Public Property UnitPrice As Decimal

    Public ReadOnly Property Amount As Decimal
        Get
            Return Quantity * UnitPrice
        End Get
    End Property
End Class

Public Module InvoiceWriter
    Private Const TaxRate As Decimal = 0.2D
    Private ReadOnly Culture As CultureInfo = CultureInfo.GetCultureInfo("en-GB")

    ' Splits a description into words of at most 24 characters.
    Private Function Words(description As String) As String()
        Dim result(-1) As String
        Dim rest = description.Trim()
        Do Until rest.Length = 0
            Dim take = Math.Min(24, rest.Length)
            ReDim Preserve result(result.Length)
            result(result.Length - 1) = rest.Substring(0, take)
            rest = rest.Substring(take).TrimStart()
        Loop
        Return result
    End Function

    REM Builds the text of one invoice.
    Public Function Render(customer As String, lines As IEnumerable(Of InvoiceLine)) As String
        Dim text As New StringBuilder()
        Dim subtotal As Decimal = 0
        text.AppendLine("Invoice for """ & customer & """")
        text.AppendLine(New String("-"c, 40))
        For Each line In lines
            If line.Quantity <= 0 Then Continue For ' skip empty lines
            subtotal += line.Amount
            text.AppendFormat(Culture, "{0,-24}{1,4} x {2,8:C}", line.Description, line.Quantity, line.UnitPrice)
            text.AppendLine()
        Next
        Dim tax = Math.Round(subtotal * TaxRate, 2, MidpointRounding.AwayFromZero)
        text.AppendLine(String.Format(Culture, "Total incl. tax: {0:C}", subtotal + tax))
        Return text.ToString()
    End Function

    Sub Main(args As String())
        Dim lines As New List(Of InvoiceLine) From {
            New InvoiceLine With {.Description = "Paper, A4", .Quantity = 5, .UnitPrice = 4.5D},
            New InvoiceLine With {.Description = "Toner", .Quantity = 1, .UnitPrice = 62D}
        }
        Try
            Dim path = If(args.Length > 0, args(0), "invoice.txt")
            File.WriteAllText(path, Render("Smith & Sons", lines))
            Console.WriteLine("Written to " & path)
        Catch ex As IOException
            Console.Error.WriteLine("Could not write: " & ex.Message)
            Environment.ExitCode = 1
        End Try
    End Sub
End Module
